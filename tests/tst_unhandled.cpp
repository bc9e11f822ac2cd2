#include "runtime/core/integer.h"
#include "runtime/handler.h"
#include "support.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>

// The unhandled path ends the program, so it gets a test program of its own.
class TestUnhandled : public QObject
{
    Q_OBJECT

private slots:
    void anUnhandledErrorShowsTheBoxAndEndsTheProgram();
};

void TestUnhandled::anUnhandledErrorShowsTheBoxAndEndsTheProgram()
{
    QWidget window;
    window.show();
    MessageRecorder messages([&] { return window.isVisible() ? "shown" : "hidden"; });

    bool escaped = false;
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
        try {
            rt::runHandler([] {
                rt::Integer clicks = 32767;
                clicks += 1;
            });
        } catch (...) {
            escaped = true;
        }
    });
    QCOMPARE(loop.exec(), rt::kUnhandledErrorStatus);

    QVERIFY(!escaped);
    QCOMPARE(messages.prompts, QStringList{QStringLiteral("Run-time error '6':\n\nOverflow")});
    QCOMPARE(messages.snapshots, QStringList{QStringLiteral("shown")});
    QVERIFY(!window.isVisible());
    QVERIFY(rt::programEnded());

    // Nothing runs after the end, not even another error.
    int ran = 0;
    rt::runHandler([&] {
        ++ran;
        throw std::runtime_error("late");
    });
    QCOMPARE(ran, 0);
    QCOMPARE(messages.prompts.size(), 1);
}

QTEST_MAIN(TestUnhandled)
#include "tst_unhandled.moc"
