// Draws the title screen's texts ahead of time, so that its first frame needs no font: for each
// label of the title, its area of the form as the form draws it (background, what lies beneath
// and the text), written as C++ data.
//
//   prerender NAME OUTPUT.cpp
//
// Run on the offscreen platform with QT_SCALE_FACTOR set to the ratio to draw for; defines
// `app::NAME`, a span of rt::PrerenderedText.

#include "forms/program.h"
#include "forms/title/frmVorlan.h"
#include "runtime/font.h"
#include "runtime/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTextStream>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

int fail(const char* message)
{
    std::fprintf(stderr, "prerender: %s\n", message);
    return 1;
}

QString cString(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + quoted + u'"';
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3)
        return fail("usage: prerender NAME OUTPUT.cpp");
    QApplication application(argc, argv);
    const rt::Program program(forms::kProgramTitle);
    const QString name = QString::fromLocal8Bit(argv[1]);

    forms::frmVorlan title;
    title.Show();
    QElapsedTimer waited;
    waited.start();
    while (!title.widget()->windowHandle()->isExposed() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const int ratio = qRound(title.widget()->devicePixelRatioF());
    if (title.widget()->devicePixelRatioF() != ratio)
        return fail("the ratio to draw for is not a whole number");

    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("cannot write the output");
    QTextStream out(&file);
    out << "// Made by the build from the title screen as it draws; do not edit.\n"
           "#include \"app/prerendered.h\"\n\n#include <cstdint>\n\nnamespace app {\nnamespace {\n";
    QStringList texts;
    const QString family = rt::fontFamily();
    for (const QLabel* label : title.widget()->findChildren<QLabel*>()) {
        const QImage image =
            title.widget()->grab(label->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        // Runs of one colour, row after row: mostly background, with the text's edges between.
        const QString id = label->objectName();
        out << "constexpr std::uint32_t " << id << "Runs[] = {";
        int written = 0;
        const auto run = [&](int length, QRgb colour) {
            out << (written++ % 6 == 0 ? "\n    " : " ") << length << "u, 0x"
                << QString::number(colour, 16) << "u,";
        };
        int length = 0;
        QRgb colour = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel != colour) {
                    run(length, colour);
                    length = 0;
                    colour = pixel;
                }
                ++length;
            }
        run(length, colour);
        out << "\n};\n";
        texts << QStringLiteral("    {%1, %2, %3, %4, %5, %6, %7Runs},\n")
                     .arg(cString(id), cString(label->text()), cString(family))
                     .arg(ratio)
                     .arg(image.width())
                     .arg(image.height())
                     .arg(id);
    }
    out << "constexpr rt::PrerenderedText kTexts[] = {\n"
        << texts.join(QString()) << "};\n"
        << "} // namespace\n\nconst std::span<const rt::PrerenderedText> " << name
        << " = kTexts;\n} // namespace app\n";
    return out.status() == QTextStream::Ok ? 0 : fail("cannot write the output");
}
