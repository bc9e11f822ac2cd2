#include "display.h"

#include <QString>
#include <QtGlobal>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace app {
namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool waylandSession()
{
    return !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
}

// Why the X display does not answer; empty when it does.
std::string x11Problem()
{
    const std::string display(environment("DISPLAY"));
    if (display.empty())
        return "no display was found: DISPLAY is not set";
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable)
        return "the display \"" + display + "\" cannot be opened";
    return {};
}

// Why the Wayland compositor does not answer, as a Wayland client finds it; when it does, why Qt
// may still not have used it.
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
    return "Qt cannot use the Wayland display \"" + socket +
           "\" (is Qt's Wayland support installed? On Debian, the package qt6-wayland)";
}

const std::string kNeedsDesktop = "vorlan-cup needs a graphical desktop, but ";

// Why none of the platforms that Qt was asked for could start, in plain words.
std::string whyNoPlatform()
{
    const std::string platforms(environment("QT_QPA_PLATFORM"));
    const bool wayland = platforms.find("wayland") != std::string::npos;
    const bool x11 = platforms.empty() || platforms.find("xcb") != std::string::npos;
    const std::string waylandWhy = wayland ? waylandProblem() : std::string();
    const std::string x11Why = x11 ? x11Problem() : std::string();
    if (!wayland && !x11)
        return "vorlan-cup cannot open a window: Qt cannot start the platform \"" + platforms +
               "\" that QT_QPA_PLATFORM names.";
    if (wayland && x11)
        return kNeedsDesktop + "neither Wayland nor X11 can be used: " + waylandWhy + ", and " +
               (x11Why.empty() ? "Qt cannot start on the X display" : x11Why) +
               ". Start it from a desktop session.";
    if (wayland)
        return kNeedsDesktop + "QT_QPA_PLATFORM asks for Wayland, and " + waylandWhy +
               ". Start it from a desktop session.";
    if (x11Why.empty())
        return kNeedsDesktop + "Qt cannot start on the display \"" +
               std::string(environment("DISPLAY")) + "\".";
    return kNeedsDesktop + x11Why +
           ". Start it from a desktop session, or set DISPLAY to a running X server.";
}

// What Qt said while it started, kept until it is known whether it started.
struct StartMessage
{
    QtMsgType type;
    std::string text;
};
std::vector<StartMessage> g_startMessages;
QtMessageHandler g_previousHandler = nullptr;

void startHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        const QByteArray text = message.toLocal8Bit();
        const bool named = context.category && std::strcmp(context.category, "default") != 0;
        g_startMessages.push_back(
            {type, named ? std::string(context.category) + ": " + text.data() : text.data()});
        return;
    }
    std::fprintf(stderr, "%s\n", whyNoPlatform().c_str());
    for (const StartMessage& said : g_startMessages)
        std::fprintf(stderr, "  (Qt: %s)\n", said.text.c_str());
    std::fflush(stderr);
    std::_Exit(kNoDisplayStatus);
}

} // namespace

void choosePlatform()
{
    // Qt takes X11 unless told otherwise; in a Wayland session, Wayland is the better choice,
    // and the session's X display (XWayland) stands by where Qt cannot use Wayland.
    if (environment("QT_QPA_PLATFORM").empty() && waylandSession())
        setenv("QT_QPA_PLATFORM", "wayland;xcb", 1);
}

PlatformStart::PlatformStart()
{
    g_previousHandler = qInstallMessageHandler(startHandler);
}

PlatformStart::~PlatformStart()
{
    qInstallMessageHandler(g_previousHandler);
    const QMessageLogContext context;
    for (const StartMessage& said : g_startMessages)
        qt_message_output(said.type, context, QString::fromStdString(said.text));
    g_startMessages.clear();
}

} // namespace app
