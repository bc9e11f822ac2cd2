// Writes the palette pictures as C++ data, so that the program shows them without decoding a
// file: for each picture, its colour table and one byte per pixel, at both densities.
//
//   embed OUTPUT.cpp OUTPUT.h NAME NORMAL.png DOUBLE.png [NAME NORMAL.png DOUBLE.png ...]
//
// NAME is the C++ name of the picture (assets::NAME, an rt::Picture).

#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "embed: %s\n", qPrintable(message));
    return 1;
}

// The picture's colour table and pixels as constants named `<name><suffix>Colours` and
// `<name><suffix>Pixels`; returns the initialiser of its rt::PictureData, or nothing if the
// picture is not a palette picture.
QString writeDensity(QTextStream& out, const QString& name, const QString& suffix,
                     const QString& path)
{
    const QImage image(path);
    if (image.isNull() || image.format() != QImage::Format_Indexed8)
        return {};
    const QString colours = name + suffix + QStringLiteral("Colours");
    const QString pixels = name + suffix + QStringLiteral("Pixels");
    out << "constexpr std::uint32_t " << colours << "[] = {";
    const QList<QRgb> table = image.colorTable();
    for (qsizetype i = 0; i < table.size(); ++i)
        out << (i % 8 == 0 ? "\n    " : " ") << "0x" << QString::number(table[i], 16) << "u,";
    out << "\n};\n";
    // Rows as they are, with no padding: one byte per pixel.
    out << "constexpr unsigned char " << pixels << "[] = {";
    int written = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x, ++written)
            out << (written % 24 == 0 ? "\n    " : "") << row[x] << ',';
    }
    out << "\n};\n";
    return QStringLiteral("{%1, %2, %3, %4}")
        .arg(image.width())
        .arg(image.height())
        .arg(colours, pixels);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 6 || (argc - 3) % 3 != 0)
        return fail(QStringLiteral("usage: embed OUT.cpp OUT.h NAME NORMAL.png DOUBLE.png [NAME "
                                   "NORMAL.png DOUBLE.png ...]"));
    QFile source(QString::fromLocal8Bit(argv[1]));
    QFile header(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !header.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write the output"));
    QTextStream cpp(&source);
    QTextStream h(&header);
    h << "// Made by the build from the pictures' drawings; do not edit.\n"
         "#pragma once\n\n#include \"runtime/core/picture.h\"\n\nnamespace assets {\n";
    cpp << "// Made by the build from the pictures' drawings; do not edit.\n"
           "#include \"pictures.h\"\n\n#include <cstdint>\n\nnamespace assets {\nnamespace {\n";
    QString pictures;
    for (int i = 3; i < argc; i += 3) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const QString normal =
            writeDensity(cpp, name, QString(), QString::fromLocal8Bit(argv[i + 1]));
        const QString dense =
            writeDensity(cpp, name, QStringLiteral("Double"), QString::fromLocal8Bit(argv[i + 2]));
        if (normal.isEmpty() || dense.isEmpty())
            return fail(QStringLiteral("%1: not a palette picture").arg(name));
        h << "extern const rt::Picture " << name << ";\n";
        pictures += QStringLiteral("const rt::Picture %1{%2, %3};\n").arg(name, normal, dense);
    }
    h << "} // namespace assets\n";
    cpp << "} // namespace\n\n" << pictures << "} // namespace assets\n";
    return cpp.status() == QTextStream::Ok && h.status() == QTextStream::Ok ? 0 : 1;
}
