// The reference for the start-up benchmark: a bare Qt Widgets window, built as the game is,
// that shows one text label (so that fonts load as in any form), or nothing with --no-text.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    const bool text = !(argc > 1 && std::strcmp(argv[1], "--no-text") == 0);
    QApplication application(argc, argv);
    QWidget window;
    window.resize(369, 350);
    window.setWindowTitle(QStringLiteral("Bare window"));
    if (text)
        new QLabel(QStringLiteral("Vorlan Cup 2001"), &window);
    window.show();
    return QApplication::exec();
}
