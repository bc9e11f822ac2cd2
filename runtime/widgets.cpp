#include "widgets.h"

#include <QAbstractNativeEventFilter>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace rt {
namespace {

// Qt drops the window manager's close request for a window that a modal box blocks. A player
// who closes the game while a message is open still means to end it, so on X11 the request
// goes to the form's close handler all the same.
class BlockedCloseFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || !QApplication::activeModalWidget())
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* request = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (request->format != 32 || request->type != atom("WM_PROTOCOLS") ||
            request->data.data32[0] != atom("WM_DELETE_WINDOW"))
            return false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* form = dynamic_cast<FormWidget*>(window);
            if (form && form->closed && form->internalWinId() == request->window) {
                form->closed();
                return true;
            }
        }
        return false;
    }

private:
    static xcb_atom_t atom(const char* name)
    {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11)
            return XCB_ATOM_NONE;
        xcb_connection_t* connection = x11->connection();
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, true, std::uint16_t(std::strlen(name)), name),
            nullptr);
        xcb_atom_t result = XCB_ATOM_NONE;
        if (reply)
            result = reply->atom;
        std::free(reply);
        return result;
    }
};

// Tells a held key's repeats from new presses on X11. Qt marks a repeat by the release that
// comes with it; but when a held Enter closes a message box, the next release goes to the
// closed box or to no window of ours, and Qt passes the press after it on as a new one. Here
// every key event of the program's connection counts, whichever window it was meant for.
class KeyRepeatFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const std::uint8_t kind = event->response_type & 0x7f;
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)
            return false;
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        Key& state = m_keys[key->detail];
        if (kind == XCB_KEY_RELEASE) {
            state.down = false;
            state.released = key->time;
            return false;
        }
        // A repeat comes with the time of the release just before it, or, where the server
        // sends no such release, while the key is still down: within the delay before the
        // first repeat, which desktops keep well under a second.
        state.repeat = key->time == state.released ||
                       (state.down && key->time - state.pressed < kLongestRepeatDelay);
        state.down = true;
        state.pressed = key->time;
        return false;
    }

    bool isRepeat(quint32 keycode) const { return keycode < 256 && m_keys[keycode].repeat; }

private:
    static constexpr xcb_timestamp_t kLongestRepeatDelay = 1000; // ms

    struct Key
    {
        bool down = false;
        bool repeat = false;
        xcb_timestamp_t pressed = 0;
        xcb_timestamp_t released = 0;
    };
    std::array<Key, 256> m_keys{};
};

KeyRepeatFilter* g_keyRepeats = nullptr;

void watchNativeEvents()
{
    static BlockedCloseFilter* filter = nullptr;
    if (filter)
        return;
    filter = new BlockedCloseFilter; // lives as long as the program, as does the next one
    QCoreApplication::instance()->installNativeEventFilter(filter);
    g_keyRepeats = new KeyRepeatFilter;
    QCoreApplication::instance()->installNativeEventFilter(g_keyRepeats);
}

bool isKeyRepeat(const QKeyEvent& event)
{
    return event.isAutoRepeat() || (g_keyRepeats && g_keyRepeats->isRepeat(event.nativeScanCode()));
}

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
      m_picture(picture),
      m_stretch(stretch)
{}

// Each picture is decoded when it is first painted, and only at the density it is shown at.
const QPixmap& ImageWidget::pixmap(bool dense)
{
    if (dense && !m_triedDouble) {
        m_triedDouble = true;
        m_double.load(QStringLiteral(":/assets/%1@2x.png").arg(m_picture), "PNG");
        m_double.setDevicePixelRatio(2.0);
    }
    if (dense && !m_double.isNull())
        return m_double;
    if (m_normal.isNull())
        m_normal.load(QStringLiteral(":/assets/%1.png").arg(m_picture), "PNG");
    return m_normal;
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch);
    const QPixmap& shown = pixmap(devicePixelRatioF() > 1.0);
    if (m_stretch)
        painter.drawPixmap(rect(), shown);
    else
        painter.drawPixmap(QPoint(0, 0), shown);
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
    watchNativeEvents();
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    const int largest = int(kLargestSide / m_scale);
    setMaximumSize(largest, largest);
    resize(clientSize);
    extendDrawing(clientSize);
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
        painter.setClipRect(clip);
        painter.setPen(QPen(stroke.pen, 0)); // cosmetic: one device pixel
        if (stroke.kind == Stroke::Kind::Box) {
            const QRect box(stroke.from, stroke.to);
            if (stroke.fill.isValid())
                painter.fillRect(box, stroke.fill);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        } else {
            painter.drawLine(stroke.from, stroke.to);
        }
    }
    painter.setClipping(false);
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
    // The frame reaches the screen when this paint returns; what waits for it comes after.
    if (firstFrameShown)
        QMetaObject::invokeMethod(
            this, [this] { std::exchange(firstFrameShown, {})(); }, Qt::QueuedConnection);
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
    if (click && clicked)
        clicked();
}

void FormWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton && defaultButton->isVisible() && defaultButton->isEnabled()) {
        event->accept();
        // A held key presses the button once: its repeats would close each message the press
        // brings up and press again.
        if (!isKeyRepeat(*event))
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
