#include "application.h"

#include "runtime/picture.h"

#include <QApplication>
#include <QIcon>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("vorlan-cup"));
    // Matches the desktop entry's file name, so that task bars group the windows under it.
    QApplication::setDesktopFileName(QStringLiteral("io.vorlan.VorlanCup"));

    // The program decides itself when it ends (see forms/instances.cpp).
    QApplication::setQuitOnLastWindowClosed(false);
}

void setWindowIcons()
{
    // The sizes that title and task bars use.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(rt::readPicture(QStringLiteral(":/icon/%1.png").arg(size)));
    QApplication::setWindowIcon(icon);
}

} // namespace app
