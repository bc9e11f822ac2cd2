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
    // The click count overflows on what would be the first click, while the score boxes are
    // still hidden: the handler cannot put the focus into a hidden box.
    forms::frmGameProbe::setClicks(game, 32767);
    QEventLoop loop;
    QTimer::singleShot(0, [&] { QTest::mouseClick(forms::child(game, "cmdOK"), Qt::LeftButton); });
    QCOMPARE(loop.exec(), rt::kUnhandledErrorStatus);
    QCOMPARE(messages.prompts,
             QStringList({"How can a score be a letter?",
                          "Run-time error '5':\n\nInvalid procedure call or argument"}));
    QVERIFY(!game.widget()->isVisible());
    forms::instances::releaseForms();
}

QTEST_MAIN(TestUnhandledClick)
#include "tst_unhandled_click.moc"
