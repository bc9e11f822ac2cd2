#include "forms/instances.h"
#include "game_probe.h"
#include "program_setup.h"
#include "runtime/handler.h"
#include "support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using forms::frmGameProbe;

namespace {
const QString kRealScore = QStringLiteral("Yeah right, put in a real score");
const QString kNotThatBadly = QStringLiteral("We're going to kick their ass, but not that badly.");
const QString kLetter = QStringLiteral("How can a score be a letter?");
} // namespace

class TestEntry : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void init();
    void cleanup();
    void theFirstClickStartsTheGame();
    void refusedGuessesChangeOnlyTheBoxes_data();
    void refusedGuessesChangeOnlyTheBoxes();
    void acceptedGuessesAreFiledAsTyped_data();
    void acceptedGuessesAreFiledAsTyped();
    void typingReplacesWhatTheProgramPutInABox();
    void textThatIsNoScore_data();
    void textThatIsNoScore();
    void theClickAfterEachMessage_data();
    void theClickAfterEachMessage();
    void fourQuartersAndTheFinish();
    void anAcceptedClickDuringTheCelebration();
    void aTotalThatOverflows();
    void theClickAfterTheLastCountableOne();
    void theCelebrationWaitsWhileAMessageIsOpen();

private:
    QString text(const char* name) const { return forms::shown(*game, name); }
    QString boxes() const { return text("txtTolveyScore") + '|' + text("txtFaldScore"); }
    QWidget* child(const char* name) const { return forms::child(*game, name); }
    frmGameProbe::Variables variables() const { return frmGameProbe::variables(*game); }
    void click() { forms::clickOK(*game); }
    void guess(const QString& home, const QString& visiting)
    {
        forms::guess(*game, home, visiting);
    }
    void startGame();

    forms::frmGame* game = nullptr;
    std::optional<MessageRecorder> messages;
};

void TestEntry::startGame()
{
    click();
    QCOMPARE(variables().intClicks, 1);
}

void TestEntry::init()
{
    messages.emplace([this] { return boxes(); });
    game = &forms::instances::frmGame();
    game->Show();
    QVERIFY(QTest::qWaitForWindowActive(game->widget()));
}

void TestEntry::cleanup()
{
    forms::instances::releaseForms();
    messages.reset();
}

void TestEntry::theFirstClickStartsTheGame()
{
    click();
    QCOMPARE(messages->prompts, QStringList());
    for (const char* name :
         {"lblTolveys", "lblFalds", "lblQuarter", "lblQuarterLabel", "lblEnter", "txtTolveyScore",
          "txtFaldScore", "imgTolvey", "imgFald", "lblTolveyScore", "lblFaldScore"})
        QVERIFY2(!child(name)->isHidden(), name);
    QVERIFY(child("lblInstructions")->isHidden());
    QCOMPARE(text("lblQuarter"), QStringLiteral("1"));
    QCOMPARE(boxes(), QStringLiteral("0|0"));
    QCOMPARE(child("imgTolvey")->x(), 56);
    QCOMPARE(child("imgFald")->x(), 56);
    QCOMPARE(variables().intFieldLeft, 500);
    QCOMPARE(variables().intFieldTop, 500);
    QCOMPARE(variables().intQuarter, 1);
    QCOMPARE(game->drawing().pixel(100, 100) | 0xff000000u, qRgb(100, 207, 48));
    QCOMPARE(QApplication::focusWidget(), child("cmdOK"));
}

void TestEntry::refusedGuessesChangeOnlyTheBoxes_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("visiting");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("boxesAtTheMessage");
    QTest::addColumn<QString>("boxesAfter");

    QTest::newRow("a draw") << "3"
                            << "3" << kRealScore << "|"
                            << "|";
    QTest::newRow("the visitors ahead") << "3"
                                        << "5" << kRealScore << "|"
                                        << "|";
    QTest::newRow("home 100") << "100"
                              << "0" << kNotThatBadly << "100|0"
                              << "0|0";
    QTest::newRow("both 100: the first test wins") << "100"
                                                   << "100" << kRealScore << "|"
                                                   << "|";
    QTest::newRow("the lowest against the lowest") << "-32768"
                                                   << "-32768" << kRealScore << "|"
                                                   << "|";
}

void TestEntry::refusedGuessesChangeOnlyTheBoxes()
{
    QFETCH(QString, home);
    QFETCH(QString, visiting);
    QFETCH(QString, message);
    QFETCH(QString, boxesAtTheMessage);
    QFETCH(QString, boxesAfter);

    startGame();
    const QImage field = game->drawing();
    guess(home, visiting);
    QCOMPARE(messages->prompts, QStringList{message});
    QCOMPARE(messages->snapshots, QStringList{boxesAtTheMessage});
    QCOMPARE(boxes(), boxesAfter);

    QCOMPARE(variables().intClicks, 2);
    QCOMPARE(variables().intQuarter, 1);
    QCOMPARE(text("lblQuarter"), QStringLiteral("1"));
    QCOMPARE(text("lbl1") + text("lbl2"), QString());
    QCOMPARE(variables().intFaldQ1 + variables().intTolveyQ1, 0);
    QCOMPARE(variables().intTolveyLeft, 840);
    QCOMPARE(child("imgTolvey")->x(), 56);
    QCOMPARE(game->drawing(), field);
}

void TestEntry::acceptedGuessesAreFiledAsTyped_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("visiting");
    QTest::addColumn<int>("homeValue");
    QTest::addColumn<int>("visitingValue");

    QTest::newRow("99 to 98") << "99"
                              << "98" << 99 << 98;
    QTest::newRow("a negative visiting score") << "3"
                                               << "-5" << 3 << -5;
    QTest::newRow("signs, zeros and blanks") << " +007"
                                             << "-32768 " << 7 << -32768;
}

void TestEntry::acceptedGuessesAreFiledAsTyped()
{
    QFETCH(QString, home);
    QFETCH(QString, visiting);
    QFETCH(int, homeValue);
    QFETCH(int, visitingValue);

    startGame();
    guess(home, visiting);
    QCOMPARE(messages->prompts, QStringList());
    QCOMPARE(text("lbl1"), visiting);
    QCOMPARE(text("lbl2"), home);
    QCOMPARE(variables().intFaldQ1, visitingValue);
    QCOMPARE(variables().intTolveyQ1, homeValue);
    QCOMPARE(variables().intQuarter, 2);
    QCOMPARE(text("lblQuarter"), QStringLiteral("2"));
    QCOMPARE(variables().intTolveyLeft, 3440);
    QCOMPARE(variables().intFaldLeft, 2090);
    QCOMPARE(child("imgTolvey")->x(), 3440 / 15);
    QCOMPARE(child("imgFald")->x(), 2090 / 15);
    QCOMPARE(boxes(), QStringLiteral("0|0"));
}

// After a quarter both boxes show "0": typing a score replaces it, and goes on as typed, in the
// box where Enter was pressed and in the one that Shift+Tab goes to; the other box shows no
// selection meanwhile.
void TestEntry::typingReplacesWhatTheProgramPutInABox()
{
    startGame();
    auto* visiting = static_cast<QLineEdit*>(child("txtFaldScore"));
    auto* home = static_cast<QLineEdit*>(child("txtTolveyScore"));
    visiting->setFocus();
    home->setText(QStringLiteral("7"));
    visiting->setText(QStringLiteral("3"));
    QTest::keyClick(visiting, Qt::Key_Return);
    QCOMPARE(boxes(), QStringLiteral("0|0"));
    QVERIFY(visiting->hasSelectedText());
    QVERIFY(!home->hasSelectedText());
    QTest::keyClicks(visiting, QStringLiteral("2"));
    QTest::keyClicks(visiting, QStringLiteral("5"));
    QTest::keyClick(visiting, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClicks(home, QStringLiteral("30"));
    QCOMPARE(boxes(), QStringLiteral("30|25"));
    QTest::keyClick(home, Qt::Key_Return);
    QCOMPARE(text("lbl3"), QStringLiteral("25"));
    QCOMPARE(text("lbl4"), QStringLiteral("30"));
}

void TestEntry::textThatIsNoScore_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("visiting");

    QTest::newRow("empty home box") << ""
                                    << "3";
    QTest::newRow("empty visiting box") << "7"
                                        << "";
    QTest::newRow("letters") << "seven"
                             << "3";
    QTest::newRow("a letter after the digits") << "7"
                                               << "3x";
    QTest::newRow("above 32767") << "32768"
                                 << "3";
    QTest::newRow("below -32768") << "7"
                                  << "-32769";
}

void TestEntry::textThatIsNoScore()
{
    QFETCH(QString, home);
    QFETCH(QString, visiting);

    startGame();
    child("cmdOK")->setFocus();
    guess(home, visiting);
    QCOMPARE(messages->prompts, QStringList{kLetter});
    QCOMPARE(messages->snapshots, QStringList{home + '|' + visiting});
    QCOMPARE(boxes(), QStringLiteral("|"));
    QCOMPARE(QApplication::focusWidget(), child("txtFaldScore"));
    QCOMPARE(variables().intQuarter, 1);
    QCOMPARE(variables().intClicks, 2);
    QCOMPARE(text("lbl1") + text("lbl2"), QString());
}

void TestEntry::theClickAfterEachMessage_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("visiting");
    QTest::addColumn<QString>("nextMessage");

    QTest::newRow("after a real-score refusal") << "3"
                                                << "3" << kLetter;
    QTest::newRow("after the letter message") << "x"
                                              << "3" << kLetter;
    QTest::newRow("after an accepted quarter") << "7"
                                               << "3" << kRealScore;
    QTest::newRow("after a home score of 100") << "100"
                                               << "3" << kRealScore;
}

void TestEntry::theClickAfterEachMessage()
{
    QFETCH(QString, home);
    QFETCH(QString, visiting);
    QFETCH(QString, nextMessage);

    startGame();
    guess(home, visiting);
    messages->prompts.clear();
    click(); // the boxes as the last click left them
    QCOMPARE(messages->prompts, QStringList{nextMessage});
}

void TestEntry::fourQuartersAndTheFinish()
{
    FixedRandom random({0.5f});
    startGame();
    for (int quarter = 1; quarter <= 3; ++quarter)
        guess("7", "3");
    QCOMPARE(text("lblQuarter"), QStringLiteral("4"));
    QCOMPARE(variables().intTolveyLeft, 8640);
    QCOMPARE(variables().intFaldLeft, 4590);
    QVERIFY(child("lnLine")->isHidden());
    QCOMPARE(variables().intTicks, 0);

    guess("7", "3");
    QCOMPARE(messages->prompts, QStringList());
    for (const char* name : {"lbl1", "lbl3", "lbl5", "lbl7"})
        QCOMPARE(text(name), QStringLiteral("3"));
    for (const char* name : {"lbl2", "lbl4", "lbl6", "lbl8"})
        QCOMPARE(text(name), QStringLiteral("7"));
    QCOMPARE(text("lblFalScore"), QStringLiteral("12"));
    QCOMPARE(text("lblTolScore"), QStringLiteral("28"));
    QVERIFY(!child("lnLine")->isHidden());
    // The finish leaves the quarter, the markers and the boxes as they were.
    QCOMPARE(variables().intQuarter, 4);
    QCOMPARE(variables().intTolveyLeft, 8640);
    QCOMPARE(boxes(), QStringLiteral("7|3"));
    // The pause ran, and the first tick of the celebration ran inside the click.
    QCOMPARE(variables().intDelayOuter, 10000);
    QCOMPARE(variables().intDelayInner, 10000);
    QCOMPARE(variables().intTicks, 1);
    QCOMPARE(frmGameProbe::timer(*game).Interval(), 25);
    QCOMPARE(child("imgTolveysWin")->pos(), QPoint(5505 / 15, 4035 / 15));

    QTRY_COMPARE_WITH_TIMEOUT(variables().intTicks, 75, 10000);
    QVERIFY(child("cmdOK")->isHidden());
    QVERIFY(!child("imgSeal")->isHidden());
}

void TestEntry::anAcceptedClickDuringTheCelebration()
{
    startGame();
    for (int quarter = 1; quarter <= 4; ++quarter)
        guess("7", "3");
    QCOMPARE(variables().intTicks, 1);
    guess("9", "2");
    QCOMPARE(messages->prompts, QStringList());
    QCOMPARE(text("lbl8"), QStringLiteral("9"));
    QCOMPARE(text("lbl7"), QStringLiteral("2"));
    QCOMPARE(text("lblTolScore"), QStringLiteral("30"));
    QCOMPARE(text("lblFalScore"), QStringLiteral("11"));
    QCOMPARE(variables().intDelayOuter, 10000);
    QCOMPARE(variables().intDelayInner, 10000);
    QCOMPARE(variables().intTicks, 2);
    QCOMPARE(frmGameProbe::timer(*game).Interval(), 25);
}

void TestEntry::aTotalThatOverflows()
{
    startGame();
    guess("3", "-20000");
    guess("3", "-20000");
    guess("3", "0");
    guess("3", "0");
    QCOMPARE(messages->prompts, QStringList{kLetter});
    QCOMPARE(messages->snapshots, QStringList{"3|0"});
    QCOMPARE(boxes(), QStringLiteral("|"));
    QCOMPARE(QApplication::focusWidget(), child("txtFaldScore"));
    // What the finish did before the overflow stays; the rest never happened.
    QCOMPARE(frmGameProbe::timer(*game).Interval(), 200);
    QVERIFY(!child("lnLine")->isHidden());
    QCOMPARE(text("lbl7") + text("lbl8"), QStringLiteral("03"));
    QCOMPARE(variables().intFaldQ4, 0);
    QCOMPARE(variables().intTolveyQ4, 3);
    QCOMPARE(text("lblFalScore") + text("lblTolScore"), QString());
    QCOMPARE(variables().intDelayOuter, 0);
    QCOMPARE(variables().intTicks, 0);
    // The celebration comes by the timer's own ticks, 200 ms apart.
    QTRY_VERIFY_WITH_TIMEOUT(variables().intTicks >= 2, 2000);
}

void TestEntry::theClickAfterTheLastCountableOne()
{
    startGame();
    frmGameProbe::setClicks(*game, 32767);
    guess("7", "3");
    QCOMPARE(messages->prompts, QStringList{kLetter});
    QCOMPARE(variables().intClicks, 32767);
    QCOMPARE(variables().intQuarter, 1);
    guess("7", "3");
    QCOMPARE(messages->prompts.size(), 2);
}

void TestEntry::theCelebrationWaitsWhileAMessageIsOpen()
{
    startGame();
    for (int quarter = 1; quarter <= 4; ++quarter)
        guess("7", "3");
    QList<int> ticksWhileOpen;
    rt::MessageBoxHandler recorder = rt::setMessageBoxHandler([&](const QString&) {
        // A real box runs the event loop while it is open; so does this one. It stays open for
        // longer than the rest of the celebration takes: were the ticks not held back, the last
        // one would hide the visiting box, and the handler's SetFocus on it would end the
        // program once the box closes.
        ticksWhileOpen << variables().intTicks.value();
        QTest::qWait(2500);
        ticksWhileOpen << variables().intTicks.value();
    });
    guess("", "");
    rt::setMessageBoxHandler(std::move(recorder));
    QCOMPARE(ticksWhileOpen.size(), 2);
    QCOMPARE(ticksWhileOpen[1], ticksWhileOpen[0]);
    QVERIFY(!rt::programEnded());
    QTRY_COMPARE_WITH_TIMEOUT(variables().intTicks, 75, 10000);
    QVERIFY(!rt::programEnded());
}

QTEST_MAIN(TestEntry)
#include "tst_entry.moc"
