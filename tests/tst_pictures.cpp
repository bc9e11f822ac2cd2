#include "runtime/form.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <link.h>

namespace {
enum class Background { Opaque, TransparentWhite, Transparent };

// Whether this process has loaded any of Qt's image plugins, which live in its plugin folder
// "imageformats".
bool imagePluginLoaded()
{
    bool loaded = false;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            if (std::strstr(info->dlpi_name, "/imageformats/"))
                *static_cast<bool*>(found) = true;
            return 0;
        },
        &loaded);
    return loaded;
}
} // namespace
Q_DECLARE_METATYPE(Background)

// The pictures in the program's resources, as the build renders them.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void onTheScreen(); // first: the tests after it read pictures the plain way
    void pictures_data();
    void pictures();
};

void TestPictures::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    QTest::addColumn<Background>("background");
    QTest::addColumn<QRgb>("colour");

    const QRgb purple = qRgb(62, 52, 104), grey = qRgb(171, 171, 171), white = qRgb(255, 255, 255);
    for (const int factor : {1, 2}) {
        const QString suffix = factor == 1 ? QString() : QStringLiteral("@2x");
        const auto row = [&](const char* name, QSize size, int colours, Background background,
                             QRgb colour) {
            QTest::addRow("%s%s", name, qPrintable(suffix))
                << QStringLiteral(":/pictures/%1%2.png").arg(QLatin1String(name), suffix)
                << size * factor << colours << background << colour;
        };
        row("tolveys-emblem", {126, 126}, 128, Background::Opaque, purple);
        row("falders-emblem", {140, 155}, 128, Background::Opaque, grey);
        row("seal", {216, 216}, 256, Background::TransparentWhite, white);
        row("tolveys-win", {50, 50}, 256, Background::Opaque, white);
        row("falders-marker", {72, 71}, 256, Background::Transparent, 0);
        row("tolveys-marker", {72, 64}, 256, Background::Transparent, 0);
    }
}

void TestPictures::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(int, colours);
    QFETCH(Background, background);
    QFETCH(QRgb, colour);

    const QImage picture(path);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.format(), QImage::Format_Indexed8);
    QCOMPARE(picture.colorCount(), colours);

    // One transparent colour at most, and no half-transparent pixels.
    int transparentEntries = 0;
    for (const QRgb entry : picture.colorTable()) {
        QVERIFY(qAlpha(entry) == 0 || qAlpha(entry) == 255);
        transparentEntries += qAlpha(entry) == 0;
    }
    QCOMPARE(transparentEntries, background == Background::Opaque ? 0 : 1);

    const auto isBackground = [&](QRgb pixel) {
        switch (background) {
        case Background::Opaque:
            return pixel == colour;
        case Background::TransparentWhite:
            return pixel == qRgba(255, 255, 255, 0);
        case Background::Transparent:
            return qAlpha(pixel) == 0;
        }
        return false;
    };
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        QVERIFY2(isBackground(picture.pixel(corner)),
                 qPrintable(QString::number(picture.pixel(corner), 16)));

    // The emblem itself: a good share of the picture, in colour, and opaque.
    int drawn = 0;
    for (int y = 0; y <= bottom; ++y)
        for (int x = 0; x <= right; ++x)
            drawn += !isBackground(picture.pixel(x, y));
    QVERIFY2(drawn > size.width() * size.height() / 8, qPrintable(QString::number(drawn)));
}

// A picture as the screen shows it: at 1x and 2x pixel for pixel as drawn; at any other scale
// resampled smoothly, so that its edges blend into what lies around them; stretched, over the
// whole of its control. It is read as the PNG that it is, without loading Qt's image plugins for
// other formats, and made at its size once, without the threads that Qt starts to resample a
// picture as it draws it.
void TestPictures::onTheScreen()
{
    struct Board : rt::Form
    {
        Board()
            : rt::Form({.caption = "pictures", .clientWidth = 3600, .clientHeight = 1815})
        {
            static constexpr rt::ControlRow<Board> kControls[] = {
                rt::bind(&Board::imgWin, {.name = "imgWin",
                                          .at = {0, 0, 750, 750},
                                          .picture = ":/pictures/tolveys-win.png"}),
                rt::bind(&Board::imgEmblem, {.name = "imgEmblem",
                                             .at = {1500, 0, 1935, 1815},
                                             .picture = ":/pictures/tolveys-emblem.png",
                                             .stretch = true})};
            build(*this, kControls);
        }
        rt::Image imgWin;
        rt::Image imgEmblem;
    } form;
    const auto threads = [] {
        return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    };
    const QStringList before = threads();
    form.Show();
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));

    const qreal scale = form.widget()->devicePixelRatioF();
    const QImage shown =
        form.imgWin.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage stretched =
        form.imgEmblem.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(threads(), before);
    QVERIFY(!imagePluginLoaded());

    // The emblem's purple reaches every corner of its 129 by 121 pixels.
    const QRgb purple = qRgb(62, 52, 104);
    QCOMPARE(stretched.size(), QSize(129, 121) * scale);
    const int right = stretched.width() - 1, bottom = stretched.height() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        QCOMPARE(stretched.pixel(corner), purple);

    QImage source(scale > 1 ? QStringLiteral(":/pictures/tolveys-win@2x.png")
                            : QStringLiteral(":/pictures/tolveys-win.png"));
    source.setDevicePixelRatio(scale > 1 ? 2 : 1);
    QCOMPARE(shown.size(), QSize(50, 50) * scale);
    if (scale == 1 || scale == 2) {
        QCOMPARE(shown, source.convertToFormat(QImage::Format_RGB32));
        return;
    }
    // Drawn without smoothing, every pixel would be one of the picture's own colours.
    const QList<QRgb> table = source.colorTable();
    const QSet<QRgb> own(table.begin(), table.end());
    int blended = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            blended += !own.contains(shown.pixel(x, y) | 0xff000000);
    QVERIFY2(blended > shown.width() * 2, qPrintable(QString::number(blended)));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
