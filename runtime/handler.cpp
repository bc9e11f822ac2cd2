#include "handler.h"

#include "runtime/msgbox.h"

#include <QApplication>
#include <QWidget>

#include <new>
#include <utility>
#include <vector>

namespace rt {
namespace {
bool g_ended = false;
int g_depth = 0; // handlers running: more than one only inside a message box's event loop
std::vector<std::function<void()>> g_whenIdle;

struct Running
{
    Running() { ++g_depth; }
    ~Running() { --g_depth; }
};
} // namespace

void runHandler(const std::function<void()>& handler)
{
    if (g_ended)
        return;
    {
        Running running;
        try {
            handler();
        } catch (const RuntimeError& error) {
            endWithError(error);
        } catch (const std::bad_alloc&) {
            endWithError(RuntimeError(ErrorNumber::OutOfMemory));
        } catch (...) {
            endWithError(RuntimeError(ErrorNumber::InternalError));
        }
    }
    if (g_depth == 0 && !g_whenIdle.empty()) {
        const auto waiting = std::exchange(g_whenIdle, {});
        for (const auto& action : waiting)
            action();
    }
}

bool handlerRunning()
{
    return g_depth > 0;
}

void whenNoHandlerRuns(std::function<void()> action)
{
    g_whenIdle.push_back(std::move(action));
}

void endWithError(const RuntimeError& error)
{
    if (g_ended)
        return;
    g_ended = true;
    rtcMsgBox(QStringLiteral("Run-time error '%1':\n\n%2")
                  .arg(static_cast<int>(error.number()))
                  .arg(error.description()));
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(kUnhandledErrorStatus);
}

bool programEnded()
{
    return g_ended;
}

} // namespace rt
