#include "nativeevents.h"

#include "runtime/formwidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace rt {
namespace {

xcb_atom_t atom(const char* name)
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

// Within the delay before a held key's first repeat, which desktops keep well under a second.
constexpr std::uint32_t kLongestRepeatDelay = 1000; // ms

} // namespace

bool BlockedCloseFilter::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
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
        auto* form = qobject_cast<FormWidget*>(window);
        if (form && form->internalWinId() == request->window) {
            form->requestClose();
            return true;
        }
    }
    return false;
}

bool KeyRepeatFilter::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
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
    // A repeat comes with the time of the release just before it, or, where the server sends
    // no such release, while the key is still down.
    state.repeat = key->time == state.released ||
                   (state.down && key->time - state.pressed < kLongestRepeatDelay);
    state.down = true;
    state.pressed = key->time;
    return false;
}

bool KeyRepeatFilter::eventFilter(QObject* target, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !target->isWidgetType())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool presses = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
                         (key.key() == Qt::Key_Space && !qobject_cast<QLineEdit*>(target));
    auto* widget = static_cast<QWidget*>(target);
    return presses && qobject_cast<FormWidget*>(widget->window()) && isRepeat(key);
}

bool KeyRepeatFilter::isRepeat(const QKeyEvent& event) const
{
    const quint32 keycode = event.nativeScanCode();
    return event.isAutoRepeat() || (keycode < m_keys.size() && m_keys[keycode].repeat);
}

} // namespace rt
