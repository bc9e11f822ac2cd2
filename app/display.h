#pragma once

#include <string>

namespace app {

// Why the game cannot open a window on this machine, in plain words; empty when it can. On a
// Wayland session without Qt's Wayland support, where an X display (XWayland) answers, it
// tells Qt to take that one.
std::string missingDisplay();

} // namespace app
