#pragma once

#include <QAbstractNativeEventFilter>

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

// Tells a held key's repeats from new presses on X11. Qt marks a repeat by the release that
// comes with it; but when a held Enter closes a message box, the next release goes to the
// closed box or to no window of ours, and Qt passes the press after it on as a new one. Here
// every key event of the program's connection counts, whichever window it was meant for.
class KeyRepeatFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    bool isRepeat(const QKeyEvent& event) const;

private:
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
