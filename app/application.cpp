#include "app/application.h"

#include <QApplication>
#include <QIcon>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("vorlan-cup"));
    // Matches the desktop entry's file name, so that task bars group the windows under it.
    QApplication::setDesktopFileName(QStringLiteral("io.vorlan.VorlanCup"));

    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // The program decides itself when it ends (see app/instances.cpp).
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace app
