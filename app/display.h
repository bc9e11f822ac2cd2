#pragma once

#include <string>

namespace app {

// Why the game cannot open a window on this machine, in plain words; empty when it can.
std::string missingDisplay();

} // namespace app
