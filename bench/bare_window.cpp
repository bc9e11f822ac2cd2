// The reference for the start-up benchmark and the memory test: a bare Qt Widgets window,
// built as the game is.
//   bare-window                    one text label, so that fonts load as in any form
//   bare-window --title-screen PICTURES   the title screen's content done the plain way: the grey
//                                  window, the purple panel, the two emblems loaded from their
//                                  PNG files in PICTURES, and the two texts in their heavy face
//   bare-window --no-text          nothing but the window

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <cstring>

namespace {

void fill(QWidget* widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A text of the title screen, as its form lays it out (the stand-in face of the design font).
void titleText(QWidget* window, const char* text, QRect place, int pixels, bool italic)
{
    auto* label = new QLabel(QString::fromUtf8(text), window);
    QFont font(QStringLiteral("Lato"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Black);
    font.setItalic(italic);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(244, 209, 11));
    label->setPalette(palette);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(place);
}

void picture(QWidget* window, const QString& file, QRect place)
{
    auto* label = new QLabel(window);
    label->setPixmap(QPixmap(file));
    label->setScaledContents(true);
    label->setGeometry(place);
}

} // namespace

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "";
    const bool title = argc > 2 && std::strcmp(mode, "--title-screen") == 0;
    const QString pictures = title ? QString::fromLocal8Bit(argv[2]) : QString();
    QApplication application(argc, argv);
    QWidget window;
    window.resize(369, 350);
    window.setWindowTitle(QStringLiteral("Bare window"));
    if (title) {
        fill(&window, QColor(171, 171, 171));
        auto* panel = new QWidget(&window);
        fill(panel, QColor(62, 52, 104));
        panel->setGeometry(0, 0, 193, 353);
        picture(&window, pictures + QStringLiteral("/tolveys-emblem.png"), {32, 80, 129, 121});
        picture(&window, pictures + QStringLiteral("/falders-emblem.png"), {208, 64, 140, 155});
        titleText(&window, "Vorlan Cup 2001", QRect(8, 8, 353, 49), 35, true);
        titleText(&window, "Click to Guess the Results", QRect(8, 224, 353, 73), 29, false);
    } else if (std::strcmp(mode, "--no-text") != 0) {
        new QLabel(QStringLiteral("Vorlan Cup 2001"), &window);
    }
    window.show();
    return QApplication::exec();
}
