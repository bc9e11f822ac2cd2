#include "application.h"
#include "display.h"
#include "forms/instances.h"
#include "forms/title/frmVorlan.h"
#include "runtime/handler.h"
#include "runtime/program.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr const char* kUsage =
    "Usage: vorlan-cup [--help | --version]\n"
    "Guess the score of the Vorlan Cup 2001, quarter by quarter.\n"
    "\n"
    "  --help     show this help, and end\n"
    "  --version  show the version, and end\n"
    "\n"
    "Without an option the game starts: click its title screen or press Enter, then OK.\n"
    "The manual page vorlan-cup(6) says more.\n";

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vorlan-cup %s\n", VORLAN_VERSION);
        return 0;
    }
    app::choosePlatform();

    // A write to an X server that has gone must fail and let the toolkit say so and end the
    // program, not kill it silently with SIGPIPE first.
    std::signal(SIGPIPE, SIG_IGN);

    std::optional<app::PlatformStart> start(std::in_place);
    QApplication application(argc, argv);
    start.reset();
    app::setUpApplication();
    const rt::Program program(forms::kProgramTitle);

    rt::runHandler([] {
        forms::instances::frmVorlan().afterFirstFrame(app::setWindowIcons);
        forms::instances::frmVorlan().Show();
    });
    const int status = rt::programEnded() ? rt::kUnhandledErrorStatus : QApplication::exec();
    forms::instances::releaseForms();
    return status;
}
