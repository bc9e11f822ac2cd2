#include "shape.h"

#include "runtime/formwidget.h"

#include <QPainter>

namespace rt {

ShapeWidget::ShapeWidget(const QColor& fill, QWidget* parent)
    : QWidget(parent),
      m_fill(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_fill);
}

void Shape::build(const Row& row, FormWidget& form)
{
    auto* shape = new ShapeWidget(resolve(row.backColor, SystemColor::ButtonFace), &form);
    shape->setGeometry(twipsRect(row.at));
    bind(shape, row.name, row.description, true);
}

} // namespace rt
