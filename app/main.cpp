#include "application.h"
#include "display.h"
#include "forms/instances.h"
#include "forms/program.h"
#include "forms/title/frmVorlan.h"
#include "runtime/handler.h"
#include "runtime/program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (const std::string missing = app::missingDisplay(); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 2;
    }

    QApplication application(argc, argv);
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
