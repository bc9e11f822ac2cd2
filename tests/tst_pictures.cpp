#include "assets/pictures.h"
#include "runtime/image.h"

#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {
enum class Background { Opaque, TransparentWhite, Transparent };
}
Q_DECLARE_METATYPE(Background)
Q_DECLARE_METATYPE(const rt::PictureData*)

// The pictures compiled into the program, as the build renders them.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void onTheScreen();
};

void TestPictures::pictures_data()
{
    QTest::addColumn<const rt::PictureData*>("data");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    QTest::addColumn<Background>("background");
    QTest::addColumn<QRgb>("colour");

    const QRgb purple = qRgb(62, 52, 104), grey = qRgb(171, 171, 171), white = qRgb(255, 255, 255);
    for (const int factor : {1, 2}) {
        const QString suffix = factor == 1 ? QString() : QStringLiteral("@2x");
        const auto row = [&](const char* name, const rt::Picture& picture, QSize size, int colours,
                             Background background, QRgb colour) {
            QTest::addRow("%s%s", name, qPrintable(suffix))
                << (factor == 1 ? &picture.normal : &picture.dense) << size * factor << colours
                << background << colour;
        };
        row("tolveys-emblem", assets::tolveysEmblem, {126, 126}, 128, Background::Opaque, purple);
        row("falders-emblem", assets::faldersEmblem, {140, 155}, 128, Background::Opaque, grey);
        row("seal", assets::seal, {216, 216}, 256, Background::TransparentWhite, white);
        row("tolveys-win", assets::tolveysWin, {50, 50}, 256, Background::Opaque, white);
        row("falders-marker", assets::faldersMarker, {72, 71}, 256, Background::Transparent, 0);
        row("tolveys-marker", assets::tolveysMarker, {72, 64}, 256, Background::Transparent, 0);
    }
}

void TestPictures::pictures()
{
    QFETCH(const rt::PictureData*, data);
    QFETCH(QSize, size);
    QFETCH(int, colours);
    QFETCH(Background, background);
    QFETCH(QRgb, colour);

    QCOMPARE(data->pixels.size(), size_t(size.width() * size.height()));
    const QImage picture = rt::pictureImage(*data);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.format(), QImage::Format_Indexed8);
    QCOMPARE(picture.colorCount(), colours);

    // Every pixel names an entry of the table; one transparent colour at most, and no
    // half-transparent pixels.
    QVERIFY(
        std::ranges::all_of(data->pixels, [&](unsigned char index) { return index < colours; }));
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
// resampled smoothly, so that its edges blend into what lies around them.
void TestPictures::onTheScreen()
{
    QWidget form;
    form.setAutoFillBackground(true);
    form.resize(100, 100);
    rt::ImageWidget picture(assets::tolveysWin, false, &form);
    picture.setGeometry(0, 0, 50, 50);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const qreal scale = form.devicePixelRatioF();
    const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage source =
        rt::pictureImage(scale > 1 ? assets::tolveysWin.dense : assets::tolveysWin.normal);
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
