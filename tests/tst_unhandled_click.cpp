#include "forms/instances.h"
#include "game_probe.h"
#include "program_setup.h"
#include "runtime/handler.h"
#include "support.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

// An error raised by the OK button's own error handler is not caught again: it takes the
// unhandled path and ends the program, so it gets a test program of its own.
class TestUnhandledClick : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void anErrorInTheClicksErrorHandlerEndsTheProgram();
};

void TestUnhandledClick::anErrorInTheClicksErrorHandlerEndsTheProgram()
{
    MessageRecorder messages;
    forms::frmGame& game = forms::instances::frmGame();
    game.Show();
    QVERIFY(QTest::qWaitForWindowActive(game.widget()));
    // The click count overflows on what would be the first click, while the score boxes are
    // still hidden: the handler cannot put the focus into a hidden box.
    forms::frmGameProbe::setClicks(game, 32767);
    QEventLoop loop;
    QTimer::singleShot(0, [&] { QTest::mouseClick(forms::child(game, "cmdOK"), Qt::LeftButton); });
    // Should the program not end, the loop says so instead of waiting for ever.
    constexpr int kNotEnded = -1;
    QTimer::singleShot(20000, &loop, [&] { loop.exit(kNotEnded); });
    const int status = loop.exec();
    QVERIFY2(status != kNotEnded, qPrintable(messages.prompts.join(" | ")));
    QCOMPARE(status, rt::kUnhandledErrorStatus);
    QCOMPARE(messages.prompts,
             QStringList({"How can a score be a letter?",
                          "Run-time error '5':\n\nInvalid procedure call or argument"}));
    QVERIFY(!game.widget()->isVisible());
    forms::instances::releaseForms();
}

QTEST_MAIN(TestUnhandledClick)
#include "tst_unhandled_click.moc"
