#include "display.h"

#include <QByteArray>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace app {
namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Why the X display does not answer, and what the player can do about it; empty when it does.
struct Problem
{
    std::string why;
    std::string advice;
    bool empty() const { return why.empty(); }
};

Problem x11Problem()
{
    const std::string display(environment("DISPLAY"));
    if (display.empty())
        return {"no display was found: DISPLAY is not set",
                "Start it from a desktop session, or set DISPLAY to a running X server."};
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable)
        return {"the display \"" + display + "\" cannot be opened",
                "Is the X server running, and may this user connect to it?"};
    return {};
}

// Whether the Wayland compositor answers, as a Wayland client finds it; empty when it does.
std::string waylandProblem()
{
    std::string socket(environment("WAYLAND_DISPLAY"));
    if (socket.empty())
        socket = "wayland-0";
    if (socket.front() != '/')
        socket = std::string(environment("XDG_RUNTIME_DIR")) + "/" + socket;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socket.size() >= sizeof address.sun_path)
        return "the Wayland display \"" + socket + "\" has too long a name";
    std::memcpy(address.sun_path, socket.c_str(), socket.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool reachable =
        fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!reachable)
        return "the Wayland display \"" + socket + "\" cannot be opened";
    return {};
}

// Whether Qt's Wayland platform plugin is installed where Qt looks for it.
bool waylandPluginInstalled()
{
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(':', Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& folder : folders)
        if (!QDir(folder + "/platforms").entryList({"libqwayland-*.so"}, QDir::Files).isEmpty())
            return true;
    return false;
}

const std::string kNeedsDesktop = "vorlan-cup needs a graphical desktop, but ";

} // namespace

std::string missingDisplay()
{
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    const bool wayland = platform.starts_with("wayland") ||
                         (platform.empty() && (!environment("WAYLAND_DISPLAY").empty() ||
                                               environment("XDG_SESSION_TYPE") == "wayland"));
    if (!platform.empty() && !wayland && !platform.starts_with("xcb"))
        return {}; // another platform plugin reports for itself

    if (!wayland) {
        const Problem x11 = x11Problem();
        return x11.empty() ? std::string() : kNeedsDesktop + x11.why + ". " + x11.advice;
    }

    // A Wayland session: Wayland itself where Qt can speak it, else the session's X display.
    const bool plugin = waylandPluginInstalled();
    const std::string compositor = waylandProblem();
    if (plugin && compositor.empty())
        return {};
    const std::string why = plugin ? compositor
                                   : "Qt's Wayland support is not installed (on Debian, the "
                                     "package qt6-wayland)";
    const std::string advice = plugin ? "Start it from a desktop session."
                                      : "Install qt6-wayland, or start it from an X11 session.";
    if (!platform.empty())
        return kNeedsDesktop + "QT_QPA_PLATFORM asks for Wayland, and " + why + ". " + advice;
    const Problem x11 = x11Problem();
    if (x11.empty()) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return {};
    }
    return kNeedsDesktop + "neither Wayland nor X11 can be used: " + why + ", and " + x11.why +
           ". " + advice;
}

} // namespace app
