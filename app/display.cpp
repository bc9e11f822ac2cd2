#include "display.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace app {
namespace {
std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

std::string missingDisplay()
{
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    const bool x11 =
        platform.starts_with("xcb") || (platform.empty() && environment("WAYLAND_DISPLAY").empty());
    if (!x11)
        return {}; // another platform plugin reports for itself
    const std::string display(environment("DISPLAY"));
    if (display.empty())
        return "vorlan-cup needs a graphical desktop, but no display was found: DISPLAY is not "
               "set. Start it from a desktop session, or set DISPLAY to a running X server.";
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable)
        return "vorlan-cup needs a graphical desktop, but the display \"" + display +
               "\" cannot be opened: is the X server running, and may this user connect to it?";
    return {};
}

} // namespace app
