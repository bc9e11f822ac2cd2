#include "app/application.h"
#include "app/display.h"
#include "app/instances.h"
#include "forms/title/frmVorlan.h"
#include "runtime/error.h"

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

    rt::runHandler([] {
        app::frmVorlan().afterFirstFrame(app::setWindowIcons);
        app::frmVorlan().Show();
    });
    const int status = rt::programEnded() ? rt::kUnhandledErrorStatus : QApplication::exec();
    app::releaseForms();
    return status;
}
