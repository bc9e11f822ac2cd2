#include "contrast.h"
#include "forms/instances.h"
#include "forms/title/frmVorlan.h"
#include "game_probe.h"
#include "program_setup.h"
#include "runtime/formwidget.h"
#include "runtime/units.h"
#include "support.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using forms::child;
using forms::controlsOf;
using forms::frmGameProbe;

namespace {

// The form's own colour, whatever the desktop's theme.
QRgb buttonFace()
{
    return qRgb(0xef, 0xef, 0xef);
}

QRect pixels(int left, int top, int width, int height)
{
    return QRect(rt::twipsToPixels(left), rt::twipsToPixels(top), rt::twipsToPixels(width),
                 rt::twipsToPixels(height));
}

// The accessible name of a widget each time it shows.
class ShowRecorder : public QObject
{
public:
    QStringList names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            names << static_cast<QWidget*>(watched)->accessibleName();
        return false;
    }
};

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void init();
    void cleanup();
    void startState();
    void thePlayerSeesTheButtonAndTheInstructionOnly();
    void theWinnerImageMovesUnderTheCellsBelowIt();
    void focusOrder();
    void focusShowsAsARing();
    void enterPressesOK();
    void resizingMovesNothing();
    void screenReadersCanReadEveryControl();
    void textsAreReadableUnderLightAndDarkDesktops();
    void theTotalsAreAnnounced();

private:
    forms::frmGame* game = nullptr;
    std::optional<MessageRecorder> messages;
};

void TestGame::init()
{
    messages.emplace();
    game = &forms::instances::frmGame();
    game->Show();
    QVERIFY(QTest::qWaitForWindowActive(game->widget()));
}

void TestGame::cleanup()
{
    forms::instances::releaseForms();
    messages.reset();
}

void TestGame::startState()
{
    // Every other variable starts at 0.
    QVERIFY(frmGameProbe::variables(*game) ==
            (frmGameProbe::Variables{.intQuarter = 1, .intTolveyLeft = 840, .intFaldLeft = 840}));

    QCOMPARE(forms::shown(*game, "lblQuarter"), QStringLiteral("1"));
    for (const char* name : {"txtTolveyScore", "txtFaldScore"})
        QCOMPARE(forms::shown(*game, name), QStringLiteral("0"));

    QStringList shown;
    for (QWidget* control : controlsOf(game->widget()))
        if (!control->isHidden())
            shown << control->objectName();
    shown.sort();
    QCOMPARE(shown,
             QStringList({"cmdOK", "imgTolveysWin", "lbl1", "lbl2", "lbl3", "lbl4", "lbl5", "lbl6",
                          "lbl7", "lbl8", "lblFalScore", "lblInstructions", "lblTolScore"}));
}

void TestGame::thePlayerSeesTheButtonAndTheInstructionOnly()
{
    QCOMPARE(game->widget()->size(), QSize(734, 538));
    game->widget()->setFocus(); // the form as designed: no control has the focus
    const QImage screen = game->widget()->grab().toImage();
    const QRect button = pixels(5400, 6240, 975, 735);
    const QRect instructions = pixels(3360, 6960, 5055, 1215);
    // The winner image lies under the button but for its lowest row of pixels.
    const QRect strip(368, 465, 50, 1);
    QCOMPARE(button.bottom() + 1, strip.top());

    int stray = 0, text = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QPoint p(x, y);
            const bool background = screen.pixel(p) == buttonFace();
            if (instructions.contains(p) && !button.contains(p))
                text += !background;
            else if (!button.contains(p) && !strip.contains(p))
                stray += !background;
        }
    QCOMPARE(stray, 0);
    QVERIFY(text > 1000);
    for (int x = strip.left(); x <= strip.right(); ++x)
        QCOMPARE(screen.pixel(x, strip.top()), qRgb(255, 255, 255));
}

void TestGame::theWinnerImageMovesUnderTheCellsBelowIt()
{
    auto* winner = child(*game, "imgTolveysWin");
    // Over the opaque cell of quarter 4, which lies above it: the cell hides it.
    winner->move(pixels(10080, 6720, 0, 0).topLeft());
    QImage screen = game->widget()->grab().toImage();
    QCOMPARE(screen.pixel(pixels(10080, 6720, 495, 495).center()), buttonFace());
    // Over the cell of quarter 3, which lies beneath it: the image shows.
    winner->move(pixels(10080, 6120, 0, 0).topLeft());
    screen = game->widget()->grab().toImage();
    int shown = 0;
    for (const QPoint p : {QPoint(0, 0), QPoint(10, 10), QPoint(20, 30), QPoint(30, 5)})
        shown += screen.pixel(pixels(10080, 6120, 0, 0).topLeft() + p) != buttonFace();
    QCOMPARE(shown, 4);
}

void TestGame::focusOrder()
{
    QWidget* ok = child(*game, "cmdOK");
    QWidget* home = child(*game, "txtTolveyScore");
    QWidget* visiting = child(*game, "txtFaldScore");
    QCOMPARE(QApplication::focusWidget(), ok); // the boxes are hidden
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);

    home->show();
    visiting->show();
    home->setFocus();
    QTest::keyClick(home, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), visiting);
    QTest::keyClick(visiting, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), home);
}

// The control with the focus has a ring, black against the form and white against the control;
// without the focus the form looks as designed.
void TestGame::focusShowsAsARing()
{
    QWidget* ok = child(*game, "cmdOK");
    QWidget* home = child(*game, "txtTolveyScore");
    QTest::mouseClick(ok, Qt::LeftButton); // the first click shows the boxes
    for (QWidget* control : {ok, home}) {
        control->setFocus();
        const QRect area = control->geometry();
        const int y = area.center().y();
        const QImage screen = game->widget()->grab().toImage();
        const QString where = control->objectName();
        QVERIFY2(screen.pixel(area.left() - 4, y) == qRgb(0, 0, 0), qPrintable(where));
        QVERIFY2(screen.pixel(area.right() + 3, y) == qRgb(0, 0, 0), qPrintable(where));
        QVERIFY2(screen.pixel(area.center().x(), area.top() - 3) == qRgb(0, 0, 0),
                 qPrintable(where));
        QVERIFY2(screen.pixel(area.left() - 1, y) == qRgb(255, 255, 255), qPrintable(where));
        QVERIFY2(screen.pixel(area.center().x(), area.bottom() + 2) == qRgb(255, 255, 255),
                 qPrintable(where));
    }
    game->widget()->setFocus();
    const QImage screen = game->widget()->grab().toImage();
    for (QWidget* control : {ok, home}) {
        const QRect area = control->geometry();
        QCOMPARE(screen.pixel(area.left() - 4, area.center().y()), buttonFace());
        QCOMPARE(screen.pixel(area.left() - 1, area.center().y()), buttonFace());
    }
}

void TestGame::enterPressesOK()
{
    auto* ok = static_cast<QPushButton*>(child(*game, "cmdOK"));
    QWidget* home = child(*game, "txtTolveyScore");
    QSignalSpy clicks(ok, &QPushButton::clicked);

    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    home->show();
    home->setFocus();
    QTest::keyClick(home, Qt::Key_Return);
    QCOMPARE(clicks.count(), 2);
    QTest::keyClick(home, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks.count(), 3);
    QTest::keyClick(game->widget(), Qt::Key_Return);
    QCOMPARE(clicks.count(), 4);
    QTest::keyClick(home, Qt::Key_Escape);
    QCOMPARE(clicks.count(), 4);
    // A held key presses it once: its repeats do nothing, from a box or on the button itself.
    for (QWidget* target : {home, static_cast<QWidget*>(ok)}) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), true);
        QApplication::sendEvent(target, &repeat);
    }
    QCOMPARE(clicks.count(), 4);

    ok->hide(); // a hidden button is not pressed
    QTest::keyClick(home, Qt::Key_Return);
    QCOMPARE(clicks.count(), 4);
}

void TestGame::resizingMovesNothing()
{
    QMap<QString, QRect> before;
    for (QWidget* control : controlsOf(game->widget(), Qt::FindChildrenRecursively))
        before[control->objectName()] = control->geometry();
    game->widget()->resize(1000, 700);
    QTRY_COMPARE(game->ScaleWidth(), 15000.0f);
    QCOMPARE(game->ScaleHeight(), 10500.0f);
    for (QWidget* control : controlsOf(game->widget(), Qt::FindChildrenRecursively))
        QCOMPARE(control->geometry(), before[control->objectName()]);
    game->widget()->resize(500, 400);
    QTRY_COMPARE(game->ScaleWidth(), 7500.0f);
    for (QWidget* control : controlsOf(game->widget(), Qt::FindChildrenRecursively))
        QCOMPARE(control->geometry(), before[control->objectName()]);
}

void TestGame::screenReadersCanReadEveryControl()
{
    const QList<QWidget*> controls = controlsOf(game->widget());
    QCOMPARE(controls.size(), 26); // all but the timer
    for (QWidget* control : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        const QString name = control->objectName();
        const bool emptyCell = name.startsWith("lbl") &&
                               accessible->text(QAccessible::Name).isEmpty() &&
                               static_cast<QLabel*>(control)->text().isEmpty();
        QVERIFY2(emptyCell || !accessible->text(QAccessible::Name).isEmpty(), qPrintable(name));
    }
    auto* seal = QAccessible::queryAccessibleInterface(child(*game, "imgSeal"));
    QCOMPARE(seal->role(), QAccessible::Graphic);
    auto* box = QAccessible::queryAccessibleInterface(child(*game, "txtTolveyScore"));
    QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Tolveys score"));
    QCOMPARE(box->text(QAccessible::Value), QStringLiteral("0"));
}

// Every text keeps the design's colours under a light and a dark desktop theme, and contrasts
// with what lies behind it, but for the design's own pairs: gold on the title's grey, and the
// red totals on the form's grey.
void TestGame::textsAreReadableUnderLightAndDarkDesktops()
{
    forms::instances::releaseForms();
    const FixedRandom corner({0.0f}); // the winner image keeps clear of the score table
    const QPalette light = QApplication::palette();
    const QList<std::pair<QColor, QColor>> designPairs = {
        {QColor(244, 209, 11), QColor(171, 171, 171)}, {Qt::red, QColor(buttonFace())}};
    QHash<QString, std::pair<QColor, QColor>> lightColours;
    QStringList unreadable, changed;
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : light);
        const auto check = [&](QWidget* form, const QString& state) {
            QVERIFY(QTest::qWaitForWindowExposed(form));
            for (const ShownText& shown : shownTexts(form)) {
                const QString where = state + ": " + shown.control + " '" + shown.text + "'";
                const double ratio = contrastRatio(shown.ink, shown.behind);
                if (ratio < 4.5 && !designPairs.contains({shown.ink, shown.behind}))
                    unreadable << QStringLiteral("%1 %2 on %3, %4:1")
                                      .arg(where, shown.ink.name(), shown.behind.name())
                                      .arg(ratio, 0, 'f', 2);
                const std::pair colours{shown.ink, shown.behind};
                if (!dark)
                    lightColours[where] = colours;
                else if (shown.control != "cmdOK" && lightColours.value(where) != colours)
                    changed << where;
            }
        };
        forms::frmVorlan& title = forms::instances::frmVorlan();
        title.Show();
        check(title.widget(), QStringLiteral("title"));
        game = &forms::instances::frmGame();
        game->Show();
        check(game->widget(), QStringLiteral("game"));
        forms::clickOK(*game);
        check(game->widget(), QStringLiteral("first click"));
        for (const int quarter : {1, 2, 3, 4}) {
            forms::guess(*game, "7", "3");
            if (quarter == 1)
                check(game->widget(), QStringLiteral("second quarter"));
        }
        frmGameProbe::timer(*game).setInterval(0);
        check(game->widget(), QStringLiteral("finish"));
        forms::instances::releaseForms();
    }
    QApplication::setPalette(light);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QChar(10))));
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QChar(10))));
    QVERIFY(lightColours.size() > 20);
}

// When the game ends a screen reader is told both totals unasked: a notification shows.
void TestGame::theTotalsAreAnnounced()
{
    auto* news = game->widget()->findChild<rt::Announcement*>();
    QVERIFY(news);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(news);
    QCOMPARE(accessible->role(), QAccessible::Notification);
    // What a screen reader hears: the notification's name each time it shows.
    ShowRecorder heard;
    news->installEventFilter(&heard);
    forms::clickOK(*game);
    for (const int quarter : {1, 2, 3, 4}) {
        forms::guess(*game, "7", "3");
        if (quarter < 4) {
            QCoreApplication::processEvents();
            QVERIFY(heard.names.isEmpty());
        }
    }
    frmGameProbe::timer(*game).setInterval(0);
    QTRY_VERIFY(!heard.names.isEmpty());
    QCOMPARE(heard.names, QStringList{"Total, Falders: 12. Total, Tolveys: 28"});
    QVERIFY(news->size().isEmpty()); // nothing to see
    QTRY_VERIFY(news->isHidden());   // and nothing left for a screen reader to find
}

QTEST_MAIN(TestGame)
#include "tst_game.moc"
