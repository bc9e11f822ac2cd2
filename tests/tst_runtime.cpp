#include "runtime/core/convert.h"
#include "runtime/core/random.h"
#include "runtime/form.h"
#include "support.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <cmath>
#include <limits>
#include <optional>

using rt::ErrorNumber;
using rt::Integer;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// The error number that `action` raises, or nothing if it raises none.
template <class F> std::optional<ErrorNumber> errorOf(F&& action)
{
    try {
        action();
    } catch (const rt::RuntimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

// Colours to draw with.
constexpr rt::Color kWhite = rt::rtcRgb(255, 255, 255);
constexpr rt::Color kGreen = rt::rtcRgb(100, 207, 48);
constexpr rt::Color kCrimson = rt::rtcRgb(128, 0, 0);

// A plain form to draw on: 300 x 200 pixels, white, boxes filled.
rt::FormDesign sketchDesign(rt::FillStyle fill)
{
    return {.caption = "sketch",
            .clientWidth = 4500,
            .clientHeight = 3000,
            .backColor = kWhite,
            .fillStyle = fill};
}

class Sketch : public rt::Form
{
public:
    explicit Sketch(rt::FillStyle fill = rt::FillStyle::Solid)
        : rt::Form(sketchDesign(fill))
    {
        static constexpr rt::ControlRow<Sketch> kControls[] = {
            rt::bind(&Sketch::lblNote, {.name = "lblNote",
                                        .at = {0, 0, 900, 300},
                                        .text = "note",
                                        .font = {12, 400, false}}),
            rt::bind(&Sketch::tmrTick, {.name = "tmrTick"}),
        };
        build(*this, kControls);
    }

    rt::Label lblNote;
    rt::Timer tmrTick;

    QRgb at(int x, int y) const { return drawing().pixel(x, y) & 0xffffff; }
};

// A row can only name a control member of its own kind: anything else does not compile.
template <class Member, class Row>
concept Bindable = requires(Member member, Row row)
{
    rt::bind(member, row);
};
static_assert(Bindable<rt::Label Sketch::*, rt::LabelRow>);
static_assert(Bindable<rt::Timer Sketch::*, rt::TimerRow>);
static_assert(!Bindable<rt::Label Sketch::*, rt::TextBoxRow>);
static_assert(!Bindable<rt::Timer Sketch::*, rt::LabelRow>);
static_assert(!Bindable<rt::Image Sketch::*, rt::ShapeRow>);

// A table that names one control twice.
class Twice : public rt::Form
{
public:
    Twice()
        : rt::Form(sketchDesign(rt::FillStyle::Solid))
    {
        static constexpr rt::ControlRow<Twice> kControls[] = {
            rt::bind(&Twice::lblNote, {.name = "lblNote"}),
            rt::bind(&Twice::lblNote, {.name = "lblOther"}),
        };
        build(*this, kControls);
    }

    rt::Label lblNote;
};

constexpr QRgb rgb(rt::Color c)
{
    return (QRgb(c.red) << 16) | (QRgb(c.green) << 8) | c.blue;
}

} // namespace

class TestRuntime : public QObject
{
    Q_OBJECT

private slots:
    void integerArithmeticIsChecked();
    void textToInteger_data();
    void textToInteger();
    void integerToText();
    void textToDouble_data();
    void textToDouble();
    void floorAndRound();
    void colours();
    void randomValues();
    void boxesTakeTheirCornersInEitherOrder();
    void boxesAndLinesDrawExactPixels();
    void drawingSurvivesResizeAndHiding();
    void badLineKindIsAnError();
    void aControlIsBuiltOnce();
    void firstFrameActionRunsOnce();
    void controlsKeepTheirOwnVisibleFlag();
    void labelsShowTextAsTyped();
    void timerIntervals();
};

void TestRuntime::integerArithmeticIsChecked()
{
    Integer clicks = 32767;
    QCOMPARE(errorOf([&] { clicks += 1; }), ErrorNumber::Overflow);
    QCOMPARE(clicks, Integer(32767)); // the variable keeps its old value

    Integer low = -32768;
    QCOMPARE(errorOf([&] { low -= 1; }), ErrorNumber::Overflow);
    QCOMPARE(errorOf([&] { low = -low; }), ErrorNumber::Overflow);
    QCOMPARE(low, Integer(-32768));

    QCOMPARE(errorOf([] { Integer(32768); }), ErrorNumber::Overflow);
    QCOMPARE(errorOf([] { Integer(-32769); }), ErrorNumber::Overflow);

    Integer sum = 30000;
    sum += -30000;
    sum += 2767;
    QCOMPARE(sum.value(), 2767);
    QVERIFY(Integer(-5) < Integer(3));
}

void TestRuntime::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("value");
    QTest::addColumn<int>("error");

    const auto ok = [](const char* name, const QString& text, int value) {
        QTest::newRow(name) << text << std::optional<int>(value) << 0;
    };
    const auto bad = [](const char* name, const QString& text, ErrorNumber error) {
        QTest::newRow(name) << text << std::optional<int>() << int(error);
    };
    ok("zero", "0", 0);
    ok("blanks around", "  42 \t", 42);
    ok("minus", "-7", -7);
    ok("plus", "+5", 5);
    ok("leading zeros", "007", 7);
    ok("minus zero", "-0", 0);
    ok("lowest", "-32768", -32768);
    ok("highest", "32767", 32767);

    const ErrorNumber mismatch = ErrorNumber::TypeMismatch;
    bad("empty", "", mismatch);
    bad("blanks only", "   ", mismatch);
    bad("letters", "abc", mismatch);
    bad("digits then letter", "4a", mismatch);
    bad("fraction", "1.5", mismatch);
    bad("exponent", "1e3", mismatch);
    bad("sign alone", "-", mismatch);
    bad("two signs", "--5", mismatch);
    bad("blank after sign", "- 5", mismatch);
    bad("two numbers", "5 5", mismatch);
    bad("hex", "0x10", mismatch);
    bad("full-width digit", QStringLiteral("\uff15"), mismatch);
    bad("line break", "5\n", mismatch);

    bad("just above", "32768", ErrorNumber::Overflow);
    bad("just below", "-32769", ErrorNumber::Overflow);
    bad("very long", "123456789012345678901234567890", ErrorNumber::Overflow);
}

void TestRuntime::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, value);
    QFETCH(int, error);

    int result = 99;
    const auto raised = errorOf([&] { result = rt::textToInteger(text).value(); });
    if (value) {
        QCOMPARE(raised, std::nullopt);
        QCOMPARE(result, *value);
    } else {
        QCOMPARE(raised, ErrorNumber(error));
        QCOMPARE(result, 99);
    }
}

void TestRuntime::integerToText()
{
    QCOMPARE(rt::integerToText(0), QStringLiteral("0"));
    QCOMPARE(rt::integerToText(-5), QStringLiteral("-5"));
    QCOMPARE(rt::integerToText(-32768), QStringLiteral("-32768"));
    QCOMPARE(rt::integerToText(32767), QStringLiteral("32767"));
    QCOMPARE(rt::textToInteger(rt::integerToText(-1234)), Integer(-1234));
}

void TestRuntime::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("digit") << "4" << 4.0 << 0;
    QTest::newRow("blanks and fraction") << " 4.0 " << 4.0 << 0;
    QTest::newRow("exponent") << "-1.5e2" << -150.0 << 0;
    QTest::newRow("bare fraction") << ".5" << 0.5 << 0;
    const int mismatch = int(ErrorNumber::TypeMismatch);
    QTest::newRow("empty") << "" << 0.0 << mismatch;
    QTest::newRow("word") << "four" << 0.0 << mismatch;
    QTest::newRow("infinity") << "inf" << 0.0 << mismatch;
    QTest::newRow("nan") << "nan" << 0.0 << mismatch;
    QTest::newRow("comma") << "4,0" << 0.0 << mismatch;
    QTest::newRow("huge") << "1e400" << 0.0 << int(ErrorNumber::Overflow);
}

void TestRuntime::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);

    double result = -1;
    const auto raised = errorOf([&] { result = rt::textToDouble(text); });
    if (error == 0) {
        QCOMPARE(raised, std::nullopt);
        QCOMPARE(result, value);
    } else {
        QCOMPARE(raised, ErrorNumber(error));
    }
}

void TestRuntime::floorAndRound()
{
    QCOMPARE(rt::floorToInteger(-0.5), Integer(-1));
    QCOMPARE(rt::floorToInteger(0.9999f * 8070.0f), Integer(8069));
    QCOMPARE(rt::floorToInteger(32767.99), Integer(32767));
    QCOMPARE(rt::floorToInteger(-32768.0), Integer(-32768));
    QCOMPARE(errorOf([] { rt::floorToInteger(32768.0); }), ErrorNumber::Overflow);
    QCOMPARE(errorOf([] { rt::floorToInteger(-32768.5); }), ErrorNumber::Overflow);
    QCOMPARE(errorOf([] { rt::floorToInteger(std::nan("")); }), ErrorNumber::Overflow);

    QCOMPARE(rt::roundToInteger(5070.0), Integer(5070));
    QCOMPARE(rt::roundToInteger(2.5), Integer(2)); // halves go to the even neighbour
    QCOMPARE(rt::roundToInteger(3.5), Integer(4));
    QCOMPARE(rt::roundToInteger(-2.5), Integer(-2));
    QCOMPARE(rt::roundToInteger(32767.4), Integer(32767));
    QCOMPARE(errorOf([] { rt::roundToInteger(32767.5); }), ErrorNumber::Overflow);
    QCOMPARE(errorOf([] { rt::roundToInteger(-40000.0); }), ErrorNumber::Overflow);
}

void TestRuntime::colours()
{
    QCOMPARE(rt::rtcRgb(256, 256, 256), kWhite);
    QCOMPARE(rt::rtcRgb(100, 207, 48), (rt::Color{100, 207, 48}));
    QCOMPARE(rt::rtcRgb(-1, 300, 7), (rt::Color{0, 255, 7}));
}

void TestRuntime::randomValues()
{
    for (int i = 0; i < 100000; ++i) {
        const float r = rt::rtcRandomNext(1);
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(double(r))));
    }
    const float last = rt::rtcRandomNext(1);
    QCOMPARE(rt::rtcRandomNext(0), last);
    QCOMPARE(errorOf([] { rt::rtcRandomNext(-1); }), ErrorNumber::InvalidCall);

    float next = 0.25f;
    auto previous = rt::setRandomSource([&next] { return next += 0.25f; });
    QCOMPARE(rt::rtcRandomNext(1), 0.5f);
    QCOMPARE(rt::rtcRandomNext(1), 0.75f);
    rt::setRandomSource(std::move(previous));
    QVERIFY(rt::rtcRandomNext(1) != 1.0f);
}

void TestRuntime::boxesTakeTheirCornersInEitherOrder()
{
    const rt::Color green = kGreen;
    Sketch forward, backward, crossed;
    for (Sketch* form : {&forward, &backward, &crossed})
        form->setFillColor(green);
    forward.Line(rt::LineKind::Box, 750, 1500, 1500, 2970, kCrimson);
    backward.Line(rt::LineKind::Box, 1500, 2970, 750, 1500, kCrimson);
    crossed.Line(rt::LineKind::Box, 750, 2970, 1500, 1500, kCrimson);
    QCOMPARE(backward.drawing(), forward.drawing());
    QCOMPARE(crossed.drawing(), forward.drawing());
}

void TestRuntime::boxesAndLinesDrawExactPixels()
{
    Sketch solid;
    solid.setFillColor(kGreen);
    // (750, 1500) to (1500, 2970) twips: pixels 50..100 across, 100..198 down, both included.
    solid.Line(rt::LineKind::Box, 1500, 2970, 750, 1500, kCrimson);
    QCOMPARE(solid.at(50, 100), rgb(kCrimson));
    QCOMPARE(solid.at(100, 198), rgb(kCrimson));
    QCOMPARE(solid.at(75, 100), rgb(kCrimson));
    QCOMPARE(solid.at(100, 150), rgb(kCrimson));
    QCOMPARE(solid.at(75, 150), rgb(kGreen));
    QCOMPARE(solid.at(51, 101), rgb(kGreen));
    QCOMPARE(solid.at(49, 150), rgb(kWhite));
    QCOMPARE(solid.at(101, 150), rgb(kWhite));
    QCOMPARE(solid.at(75, 199), rgb(kWhite));
    QCOMPARE(solid.FillColor(), kGreen);

    Sketch hollow(rt::FillStyle::Transparent);
    hollow.setFillColor(kGreen);
    hollow.Line(rt::LineKind::Box, 750, 1500, 1500, 2970, kCrimson);
    QCOMPARE(hollow.at(75, 150), rgb(kWhite));
    QCOMPARE(hollow.at(50, 150), rgb(kCrimson));

    // 2500 twips is 166.7 pixels: the line lands on the nearest pixel column, 167.
    Sketch lined;
    lined.Line(rt::LineKind::Line, 2500, 500, 2500, 1500, kCrimson);
    QCOMPARE(lined.at(167, 33), rgb(kCrimson));
    QCOMPARE(lined.at(167, 100), rgb(kCrimson));
    QCOMPARE(lined.at(166, 60), rgb(kWhite));
    QCOMPARE(lined.at(168, 60), rgb(kWhite));
    QCOMPARE(lined.at(167, 101), rgb(kWhite));

    // Every line and box as a one-pixel pen draws it: along either axis in either direction,
    // slanted, and reaching beyond the window.
    Sketch shapes;
    shapes.setFillColor(kGreen);
    shapes.Line(rt::LineKind::Box, 3000, 2000, 90000, 90000, kCrimson);
    shapes.Line(rt::LineKind::Line, 600, 2800, 600, 300, kCrimson);
    shapes.Line(rt::LineKind::Line, 4000, 900, 200, 900, kCrimson);
    shapes.Line(rt::LineKind::Line, 300, 300, 2500, 1700, kCrimson);
    QImage pen(shapes.drawing().size(), QImage::Format_RGB32);
    pen.fill(QColor(rgb(kWhite)));
    QPainter painter(&pen);
    painter.setPen(QPen(QColor(rgb(kCrimson)), 0));
    const QRect box(QPoint(200, 133), QPoint(6000, 6000));
    painter.fillRect(box, QColor(rgb(kGreen)));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawLine(40, 187, 40, 20);
    painter.drawLine(267, 60, 13, 60);
    painter.drawLine(20, 20, 167, 113);
    painter.end();
    QCOMPARE(shapes.drawing(), pen);
}

void TestRuntime::drawingSurvivesResizeAndHiding()
{
    Sketch form;
    form.setFillColor(kGreen);
    form.Line(rt::LineKind::Box, 0, 0, 4485, 2985, kCrimson);
    const QImage before = form.drawing();
    form.Show();
    form.widget()->resize(400, 260);
    QCOMPARE(form.ScaleWidth(), 6000.0f);
    QCOMPARE(form.ScaleHeight(), 3900.0f);
    QCOMPARE(form.drawing().copy(before.rect()), before);
    QCOMPARE(form.at(350, 230), rgb(kWhite)); // new area: the form's colour

    form.widget()->resize(100, 100);
    form.Hide();
    form.Show();
    form.widget()->resize(400, 260);
    QCOMPARE(form.drawing().copy(before.rect()), before);

    // What the player sees: the drawing beneath the controls.
    const QImage shown = form.widget()->grab().toImage();
    QCOMPARE(shown.pixel(150, 150) & 0xffffff, rgb(kGreen));
    QCOMPARE(shown.pixel(299, 150) & 0xffffff, rgb(kCrimson));
    QCOMPARE(shown.pixel(350, 150) & 0xffffff, rgb(kWhite));
}

void TestRuntime::badLineKindIsAnError()
{
    Sketch form;
    const QImage before = form.drawing();
    const auto unknown = static_cast<rt::LineKind>(7);
    QCOMPARE(errorOf([&] { form.Line(unknown, 0, 0, 100, 100, kCrimson); }),
             ErrorNumber::InvalidCall);
    QCOMPARE(form.drawing(), before);
}

void TestRuntime::aControlIsBuiltOnce()
{
    QVERIFY_THROWS_EXCEPTION(std::logic_error, Twice());
}

// Paints can come faster than the event loop serves the first frame's action (two exposures
// in one batch): the action runs once all the same, set before the form is shown or after.
void TestRuntime::firstFrameActionRunsOnce()
{
    Sketch before;
    int early = 0;
    before.afterFirstFrame([&] { ++early; });
    before.Show();
    before.widget()->repaint();
    before.widget()->repaint();
    QTRY_COMPARE(early, 1);

    Sketch after;
    after.Show();
    QVERIFY(QTest::qWaitForWindowExposed(after.widget()));
    int late = 0;
    after.afterFirstFrame([&] { ++late; });
    after.widget()->repaint();
    after.widget()->repaint();
    QTRY_COMPARE(late, 1);

    for (Sketch* form : {&before, &after})
        form->widget()->repaint();
    QCoreApplication::processEvents();
    QCOMPARE(early, 1);
    QCOMPARE(late, 1);
}

void TestRuntime::controlsKeepTheirOwnVisibleFlag()
{
    Sketch form; // never shown: no control is on the screen, yet each keeps its flag
    rt::Label& note = form.lblNote;
    QVERIFY(note.Visible());
    note.setVisible(false);
    QVERIFY(!note.Visible());
    note.setVisible(true);
    QVERIFY(note.Visible());
    QVERIFY(!form.Visible());
    form.setVisible(true);
    QVERIFY(form.Visible());
    QVERIFY(note.widget()->isVisible());
}

void TestRuntime::labelsShowTextAsTyped()
{
    Sketch form;
    rt::Label& note = form.lblNote;
    auto* label = static_cast<QLabel*>(note.widget());
    note.setCaption(QStringLiteral("7"));
    const int plainWidth = label->sizeHint().width();
    // As rich text the markup would take no room of its own.
    note.setCaption(QStringLiteral("<b>7</b>"));
    QVERIFY(label->sizeHint().width() > 3 * plainWidth);
}

void TestRuntime::timerIntervals()
{
    Sketch form;
    rt::Timer& timer = form.tmrTick;
    int ticks = 0;
    timer.onTimer([&] { ++ticks; });
    QCOMPARE(timer.Interval(), 0);
    QCOMPARE(errorOf([&] { timer.setInterval(-1); }), ErrorNumber::InvalidPropertyValue);
    QCOMPARE(errorOf([&] { timer.setInterval(65536); }), ErrorNumber::InvalidPropertyValue);
    QCOMPARE(timer.Interval(), 0);

    timer.setInterval(5);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 2000);
    timer.setInterval(0);
    const int stopped = ticks;
    QTest::qWait(50);
    QCOMPARE(ticks, stopped);
}

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
