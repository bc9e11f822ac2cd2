#include "widgets.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>

namespace rt {
namespace {

// Screen readers name pictures, shapes and lines by what they are, not as empty panes.
QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (dynamic_cast<ImageWidget*>(widget) || dynamic_cast<ShapeWidget*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (dynamic_cast<LineWidget*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    if (dynamic_cast<FormWidget*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void LabelWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

ImageWidget::ImageWidget(const QString& picture, bool stretch, QWidget* parent)
    : QWidget(parent),
      m_normal(QStringLiteral(":/assets/%1.png").arg(picture)),
      m_double(QStringLiteral(":/assets/%1@2x.png").arg(picture)),
      m_stretch(stretch)
{
    m_double.setDevicePixelRatio(2.0);
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch);
    const bool dense = devicePixelRatioF() > 1.0 && !m_double.isNull();
    const QPixmap& pixmap = dense ? m_double : m_normal;
    if (m_stretch)
        painter.drawPixmap(rect(), pixmap);
    else
        painter.drawPixmap(QPoint(0, 0), pixmap);
}

void ImageWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

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

} // namespace rt

namespace rt {

FormWidget::FormWidget(const QColor& background, QSize clientSize)
    : m_background(background),
      m_scale(devicePixelRatioF())
{
    installAccessibility();
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    resize(clientSize);
    growDrawing(clientSize);
}

void FormWidget::growDrawing(QSize size)
{
    const QSize wanted = (QSizeF(size) * m_scale).toSize().expandedTo(m_drawing.size());
    if (wanted == m_drawing.size())
        return;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.fill(m_background);
    QPainter(&grown).drawImage(QPoint(0, 0), m_drawing);
    m_drawing = std::move(grown);
}

void FormWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QRectF source(QPointF(dirty.topLeft()) * m_scale, QSizeF(dirty.size()) * m_scale);
    painter.drawImage(QRectF(dirty), m_drawing, source);
}

void FormWidget::resizeEvent(QResizeEvent* event)
{
    growDrawing(event->size());
    QWidget::resizeEvent(event);
}

void FormWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click && clicked)
        clicked();
}

void FormWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton && defaultButton->isVisible() && defaultButton->isEnabled()) {
        event->accept();
        defaultButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (closed)
        closed();
}

} // namespace rt
