// The reference for the start-up benchmark: a bare Qt Widgets window, built as the game is,
// that shows one text label (so that fonts load as in any form); with --title-texts the title
// screen's two texts in their heavy face, at their places; with --no-text nothing.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include <cstring>

namespace {

// A text of the title screen, as its form lays it out (the stand-in face of the design font).
void titleText(QWidget* window, const char* text, QRect place, int pixels, bool italic)
{
    auto* label = new QLabel(QString::fromUtf8(text), window);
    QFont font(QStringLiteral("Lato"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Black);
    font.setItalic(italic);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(place);
}

} // namespace

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "";
    QApplication application(argc, argv);
    QWidget window;
    window.resize(369, 350);
    window.setWindowTitle(QStringLiteral("Bare window"));
    if (std::strcmp(mode, "--title-texts") == 0) {
        titleText(&window, "Vorlan Cup 2001", QRect(8, 8, 353, 49), 35, true);
        titleText(&window, "Click to Guess the Results", QRect(8, 224, 353, 73), 29, false);
    } else if (std::strcmp(mode, "--no-text") != 0) {
        new QLabel(QStringLiteral("Vorlan Cup 2001"), &window);
    }
    window.show();
    return QApplication::exec();
}
