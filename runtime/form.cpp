#include "form.h"

#include "runtime/core/error.h"
#include "runtime/formwidget.h"
#include "runtime/handler.h"
#include "runtime/units.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>

namespace rt {

Form::Form(const FormDesign& design)
    : m_widget(std::make_unique<FormWidget>(
          resolve(design.backColor, SystemColor::ButtonFace),
          QSize(twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight)))),
      m_fillStyle(design.fillStyle)
{
    m_widget->setWindowTitle(QString::fromUtf8(design.caption));
    if (design.description)
        m_widget->setAccessibleDescription(QString::fromUtf8(design.description));
    QObject::connect(m_widget.get(), &FormWidget::clicked, m_widget.get(),
                     [this] { runHandler([this] { Form_Click(); }); });

    // Open where the player looks first: the middle of the screen.
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame(QPoint(), m_widget->size());
        frame.moveCenter(screen->availableGeometry().center());
        m_widget->move(frame.topLeft());
    }
}

Form::~Form() = default;

void Form::setFocusOrder(std::vector<std::pair<int, QWidget*>> stops)
{
    std::ranges::sort(stops, {}, &std::pair<int, QWidget*>::first);
    for (size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::Show()
{
    // A window that is shown gets the keyboard focus from the window manager (or the Wayland
    // compositor), as any new window does.
    m_widget->show();
}

void Form::Hide()
{
    m_widget->hide();
}

bool Form::Enabled() const
{
    return m_widget->isEnabled();
}

void Form::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

bool Form::Visible() const
{
    return !m_widget->isHidden();
}

void Form::setVisible(bool visible)
{
    if (visible == Visible())
        return;
    if (visible)
        Show();
    else
        Hide();
}

float Form::ScaleWidth() const
{
    return float(pixelsToTwips(m_widget->width()));
}

float Form::ScaleHeight() const
{
    return float(pixelsToTwips(m_widget->height()));
}

void Form::Line(LineKind kind, float x1, float y1, float x2, float y2, Color color)
{
    if (kind != LineKind::Line && kind != LineKind::Box)
        raise(ErrorNumber::InvalidCall);
    const double scale = m_widget->drawingScale();
    const QPoint a(twipsToPixels(x1, scale), twipsToPixels(y1, scale));
    const QPoint b(twipsToPixels(x2, scale), twipsToPixels(y2, scale));

    Stroke stroke{.kind = kind, .from = a, .to = b, .pen = toQColor(color)};
    if (kind == LineKind::Box) {
        const QRect box = spanning(a, b);
        stroke.from = box.topLeft();
        stroke.to = box.bottomRight();
        if (m_fillStyle == FillStyle::Solid)
            stroke.fill = toQColor(m_fillColor);
    }
    const QRect dirty = m_widget->addStroke(std::move(stroke));
    // Back from device pixels to the widget's pixels, with a pixel to spare for rounding.
    const QRectF logical(QPointF(dirty.topLeft()) / scale, QSizeF(dirty.size()) / scale);
    m_widget->update(logical.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void Form::afterFirstFrame(std::function<void()> action)
{
    if (m_widget->firstFrameWasShown())
        QMetaObject::invokeMethod(m_widget.get(), std::move(action), Qt::QueuedConnection);
    else
        QObject::connect(m_widget.get(), &FormWidget::firstFrameShown, m_widget.get(),
                         std::move(action), Qt::SingleShotConnection);
}

void Form::onClose(std::function<void()> handler)
{
    QObject::connect(m_widget.get(), &FormWidget::closeRequested, m_widget.get(),
                     std::move(handler));
}

QWidget* Form::widget() const
{
    return m_widget.get();
}

QImage Form::drawing() const
{
    return m_widget->drawing();
}

double Form::drawingScale() const
{
    return m_widget->drawingScale();
}

} // namespace rt
