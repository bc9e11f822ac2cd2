#include "line.h"

#include "runtime/formwidget.h"
#include "runtime/units.h"

#include <QPainter>

namespace rt {

LineWidget::LineWidget(QPoint from, QPoint to, const QColor& color, QWidget* parent)
    : QWidget(parent),
      m_from(from),
      m_to(to),
      m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 0));
    painter.drawLine(m_from, m_to);
}

void LineControl::build(const Row& row, FormWidget& form)
{
    const QPoint a(twipsToPixels(row.x1), twipsToPixels(row.y1));
    const QPoint b(twipsToPixels(row.x2), twipsToPixels(row.y2));
    const QRect bounds = spanning(a, b);
    auto* line = new LineWidget(a - bounds.topLeft(), b - bounds.topLeft(),
                                resolve(row.foreColor, SystemColor::WindowText), &form);
    line->setGeometry(bounds);
    bind(line, row.name, row.description, row.visible);
}

} // namespace rt
