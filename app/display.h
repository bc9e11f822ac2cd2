#pragma once

namespace app {

// The status the program ends with where it cannot open a window.
constexpr int kNoDisplayStatus = 2;

// Asks Qt, before the application is made, for Wayland in a Wayland session, with the session's
// X display after it; elsewhere Qt's own choice stands.
void choosePlatform();

// Held while the application is made: where Qt can start none of its platforms, the program says
// in plain words what is missing and ends with kNoDisplayStatus, instead of Qt's abort. What Qt
// says while it starts is passed on once it has started.
class PlatformStart
{
public:
    PlatformStart();
    ~PlatformStart();
    PlatformStart(const PlatformStart&) = delete;
    PlatformStart& operator=(const PlatformStart&) = delete;
};

} // namespace app
