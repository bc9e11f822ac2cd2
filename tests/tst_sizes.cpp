// Every window size, from 1 x 1 pixel to larger than any screen, at every phase of a game: the
// forms repaint at each size, and the game goes on afterwards as if nothing had happened.

#include "forms/instances.h"
#include "forms/title/frmVorlan.h"
#include "game_probe.h"
#include "program_setup.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using forms::frmGameProbe;

namespace {

// 1 to 4000 wide and 1 to 3000 high: the small sizes one by one, then in widening steps.
QList<int> lengths(int largest)
{
    QList<int> result;
    for (int length = 1; length <= largest; length += length < 16 ? 1 : length / 4)
        result << length;
    result << largest;
    return result;
}

// Resizes the window through every pairing of the lengths, painting each size.
void sweep(QWidget* window)
{
    const QSize original = window->size();
    for (const int width : lengths(4000))
        for (const int height : lengths(3000)) {
            window->resize(width, height);
            QCoreApplication::processEvents(); // the window system's answer: a resize event
            QCOMPARE(window->size(), QSize(width, height));
            window->grab(QRect(0, 0, std::min(width, 64), std::min(height, 64)));
        }
    window->resize(original);
    QCoreApplication::processEvents();
}

} // namespace

class TestSizes : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void init() { game = nullptr; }
    void cleanup() { forms::instances::releaseForms(); }
    void everyPhaseTakesEverySize();

private:
    void click() { forms::clickOK(*game); }
    void guess(const char* home, const char* visiting) { forms::guess(*game, home, visiting); }
    frmGameProbe::Variables variables() const { return frmGameProbe::variables(*game); }

    forms::frmGame* game;
};

void TestSizes::everyPhaseTakesEverySize()
{
    forms::instances::frmVorlan().Show();
    sweep(forms::instances::frmVorlan().widget());

    game = &forms::instances::frmGame();
    game->Show();
    QVERIFY(QTest::qWaitForWindowExposed(game->widget()));
    sweep(game->widget()); // before the first click
    click();
    sweep(game->widget()); // the field drawn

    guess("7", "3");
    QCOMPARE(variables().intQuarter, 2);
    sweep(game->widget()); // mid-game

    // With a message open: the sweep runs inside the box's own event loop, then answers it.
    QString shown;
    QString makeup;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        // Its makeup: the title, no icon, one plain OK button, and nothing else takes input.
        makeup = QString("%1, icon %2, %3 button(s), an icon on OK: %4, application-modal: %5")
                     .arg(box->windowTitle())
                     .arg(box->icon())
                     .arg(box->buttons().size())
                     .arg(box->button(QMessageBox::Ok)->icon().isNull() ? "none" : "one")
                     .arg(box->windowModality() == Qt::ApplicationModal ? "yes" : "no");
        sweep(game->widget());
        box->button(QMessageBox::Ok)->click();
    });
    guess("3", "5");
    QCOMPARE(shown, QStringLiteral("Yeah right, put in a real score"));
    QCOMPARE(makeup, QStringLiteral("VorlanCup2001, icon 0, 1 button(s), an icon on OK: none, "
                                    "application-modal: yes"));
    QCOMPARE(variables().intQuarter, 2);

    guess("7", "3");
    guess("7", "3");
    guess("7", "3");
    QVERIFY(frmGameProbe::timer(*game).Interval() > 0);
    sweep(game->widget()); // the celebration, ticking meanwhile
    QTRY_VERIFY_WITH_TIMEOUT(!forms::child(*game, "cmdOK")->isVisibleTo(game->widget()), 5000);
    sweep(game->widget()); // after it

    const auto v = variables();
    QCOMPARE(v.intTicks, 75);
    QCOMPARE(v.intTolveyQ4, 7);
    QCOMPARE(v.intFaldQ1 + v.intFaldQ2 + v.intFaldQ3 + v.intFaldQ4, 12);
}

QTEST_MAIN(TestSizes)
#include "tst_sizes.moc"
