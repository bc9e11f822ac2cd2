#include "formwidget.h"

#include "runtime/focusring.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QResizeEvent>

#include <utility>

namespace rt {

Announcement::Announcement(QWidget* form)
    : QWidget(form)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0); // nothing to see
    hide();
}

void Announcement::say(const QString& text)
{
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(
            this,
            [this] {
                setAccessibleName(m_pending.join(QStringLiteral(". ")));
                m_pending.clear();
                hide();
                show();
                // Shown is what screen readers hear; the news need not stay for them to find.
                QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    m_pending << text;
}

FormWidget::FormWidget(const QColor& background, QSize clientSize)
    : m_background(background),
      m_scale(devicePixelRatioF()),
      m_announcement(new Announcement(this))
{
    // What is drawn stays where it is when the window grows: only the new area is painted.
    setAttribute(Qt::WA_StaticContents);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    const int largest = int(kLargestSide / m_scale);
    setMaximumSize(largest, largest);
    resize(clientSize);
    extendDrawing(clientSize);
    new FocusRing(this); // a child: the form owns it
}

void FormWidget::extendDrawing(QSize size)
{
    m_extent = m_extent.expandedTo((QSizeF(size) * m_scale).toSize());
}

QRect FormWidget::addStroke(Stroke stroke)
{
    stroke.clip = QRect(QPoint(0, 0), m_extent);
    const QRect changed = QRect(stroke.from, stroke.to).normalized();
    // A filled box over all that the window has ever covered hides everything drawn before.
    if (stroke.fill.isValid() && changed.contains(stroke.clip))
        m_strokes.clear();
    m_strokes.push_back(std::move(stroke));
    return changed & m_strokes.back().clip;
}

void FormWidget::render(QPainter& painter, const QRect& area) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, m_background);
    for (const Stroke& stroke : m_strokes) {
        const QRect clip = stroke.clip & area;
        if (clip.isEmpty())
            continue;
        // Boxes and the lines along an axis are filled rectangles, one pixel wide where they
        // are lines: the same pixels as the one-pixel pen draws, in a fraction of its time.
        const auto fill = [&](const QRect& rect, const QColor& colour) {
            const QRect part = rect & clip;
            if (!part.isEmpty())
                painter.fillRect(part, colour);
        };
        if (stroke.kind == LineKind::Box) {
            const QRect box(stroke.from, stroke.to);
            if (stroke.fill.isValid())
                fill(box, stroke.fill);
            fill(QRect(box.left(), box.top(), box.width(), 1), stroke.pen);
            fill(QRect(box.left(), box.bottom(), box.width(), 1), stroke.pen);
            fill(QRect(box.left(), box.top(), 1, box.height()), stroke.pen);
            fill(QRect(box.right(), box.top(), 1, box.height()), stroke.pen);
        } else if (stroke.from.x() == stroke.to.x() || stroke.from.y() == stroke.to.y()) {
            fill(spanning(stroke.from, stroke.to), stroke.pen);
        } else {
            painter.setClipRect(clip);
            painter.setPen(QPen(stroke.pen, 0)); // cosmetic: one device pixel
            painter.drawLine(stroke.from, stroke.to);
            painter.setClipping(false);
        }
    }
}

QImage FormWidget::drawing() const
{
    QImage image(m_extent, QImage::Format_RGB32);
    QPainter painter(&image);
    render(painter, image.rect());
    return image;
}

void FormWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The strokes are in device pixels: draw them one to one onto the window's own pixels.
    painter.scale(1 / m_scale, 1 / m_scale);
    const QRect dirty = event->rect();
    render(
        painter,
        QRectF(QPointF(dirty.topLeft()) * m_scale, QSizeF(dirty.size()) * m_scale).toAlignedRect());
    // The frame reaches the screen when this paint returns; what waits for it comes after,
    // once, however many paints come before the event loop gets to it.
    if (!std::exchange(m_firstPaintDone, true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_firstFrameShown = true;
                emit firstFrameShown();
            },
            Qt::QueuedConnection);
}

void FormWidget::resizeEvent(QResizeEvent* event)
{
    extendDrawing(event->size());
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
    if (click)
        emit clicked();
}

void FormWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_defaultButton && m_defaultButton->isVisible() && m_defaultButton->isEnabled()) {
        event->accept();
        m_defaultButton->click();
        return;
    }
    // A form without a default button takes Enter and Space as a click on its surface, so
    // that a player without a mouse gets as far as one with it.
    if ((enter || event->key() == Qt::Key_Space) && takesKeysAsClicks()) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closeRequested();
}

} // namespace rt
