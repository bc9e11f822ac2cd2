#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <array>
#include <cstdint>

class QKeyEvent;

namespace rt {

// Qt drops the window manager's close request for a window that a modal box blocks. A player
// who closes the game while a message is open still means to end it, so on X11 the request
// goes to the form's close handler all the same.
class BlockedCloseFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
};

// A held key presses a form's control once: the repeats of Enter and Space never reach a form
// (a button, the form itself, or the default button through a text box), except where Space
// types. A message box takes them, so that a held Enter closes the message it brought up.
//
// Qt marks a repeat by the release that comes with it; but when a held Enter closes a message
// box, the next release goes to the closed box or to no window of ours, and Qt passes the
// press after it on as a new one. So on X11 every key event of the program's connection
// counts, whichever window it was meant for.
class KeyRepeatFilter : public QObject, public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    bool isRepeat(const QKeyEvent& event) const;

    struct Key
    {
        bool down = false;
        bool repeat = false;
        std::uint32_t pressed = 0; // X server times, in ms
        std::uint32_t released = 0;
    };
    std::array<Key, 256> m_keys{};
};

} // namespace rt
