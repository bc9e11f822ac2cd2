// Impatient hands: a long run of random input over both forms, through the window system as a
// player's input arrives, with the game's invariants checked after every event. The run is
// repeatable: the same seed gives the same events.
//
//   VORLAN_MONKEY_SEED     the seed (default 2001)
//   VORLAN_MONKEY_EVENTS   how many events (default 3000)
//   VORLAN_MONKEY_SECONDS  an upper bound on the time (default 60)

#include "forms/instances.h"
#include "forms/title/frmVorlan.h"
#include "game_probe.h"
#include "program_setup.h"
#include "runtime/core/convert.h"
#include "runtime/handler.h"
#include "runtime/units.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <optional>
#include <random>
#include <vector>

using forms::frmGameProbe;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

const QStringList kMessages = {
    QStringLiteral("Yeah right, put in a real score"),
    QStringLiteral("We're going to kick their ass, but not that badly."),
    QStringLiteral("How can a score be a letter?"),
};

// The sum of 16-bit values added one at a time, or nothing where an addition overflows.
std::optional<int> sum16(std::initializer_list<int> values)
{
    int sum = 0;
    for (const int value : values) {
        sum += value;
        if (sum < rt::Integer::kMin || sum > rt::Integer::kMax)
            return std::nullopt;
    }
    return sum;
}

class Monkey
{
public:
    Monkey(unsigned seed, int maxEvents, int seconds)
        : m_random(seed),
          m_maxEvents(maxEvents),
          m_deadline(std::chrono::seconds(seconds))
    {
        m_stepper.setSingleShot(true);
        QObject::connect(&m_stepper, &QTimer::timeout, [this] { step(); });
    }

    void run()
    {
        newGame();
        m_stepper.start(0);
        m_loop.exec();
        forms::instances::releaseForms();
    }

    QStringList failures;
    int events = 0;
    int games = 0;
    int firstClicks = 0;
    int finishes = 0;
    int celebrationsEnded = 0;
    QMap<QString, int> messages;
    double timeSpent[8] = {}; // milliseconds, by kind of action

private:
    // --- one step: check, then act ------------------------------------------------------

    void step()
    {
        // Inside an event's own processing (the test functions let pending events through),
        // the hands wait; only a message box that this event opened takes them.
        QMessageBox* box = openBox();
        if (m_depth > 0 && (!box || box == m_boxAtStart.back())) {
            if (!m_stepper.isActive())
                m_stepper.start(1);
            return;
        }
        // Armed before acting: a message box runs its own event loop inside the action.
        m_stepper.start(celebrating() ? 2 : 0);
        ++m_depth;
        m_boxAtStart.push_back(box);
        check();
        const bool stop = !failures.isEmpty() || events >= m_maxEvents || m_deadline.hasExpired();
        if (stop) {
            if (box)
                box->close(); // unwind to the top before ending
            else if (m_depth == 1) {
                m_stepper.stop();
                m_loop.quit();
            }
        } else if (m_depth == 1 && gameOver()) {
            newGame();
        } else {
            ++events;
            ++m_eventsThisGame;
            act();
        }
        // A box that has just been answered leaves its event loop once this step returns;
        // the step that opened it goes on from there, so hands wait until then, as a player's
        // next click comes after the box has gone.
        if (box && !openBox())
            m_stepper.stop();
        else if (!m_stepper.isActive())
            m_stepper.start(celebrating() ? 2 : 0);
        m_boxAtStart.pop_back();
        --m_depth;
    }

    void newGame()
    {
        if (forms::instances::frmGameExists()) {
            forms::frmGame& game = forms::instances::frmGame();
            const auto v = frmGameProbe::variables(game);
            firstClicks += v.intClicks > 0;
            finishes += !static_cast<QLabel*>(forms::child(game, "lbl8"))->text().isEmpty();
            celebrationsEnded += !forms::child(game, "cmdOK")->isVisibleTo(game.widget());
        }
        forms::instances::releaseForms();
        forms::instances::frmVorlan().Show();
        ++games;
        m_eventsThisGame = 0;
    }

    void act()
    {
        if (QMessageBox* box = openBox(); box && chance(70))
            return answer(box);
        const int kind = pick({20, 22, 12, 2, 12, 4, 12, 14});
        QElapsedTimer clock;
        clock.start();
        switch (kind) {
        case 0:
            clickAnywhere();
            break;
        case 1:
            clickControl();
            break;
        case 2:
            type(randomText());
            break;
        case 3:
            paste(randomText(chance(50) ? 100000 : 2000));
            break;
        case 4:
            key(keyChoice());
            break;
        case 5:
            resize();
            break;
        case 6:
            guess();
            break;
        default:
            pressOk();
        }
        timeSpent[kind] += clock.nsecsElapsed() / 1e6;
    }

    // --- the player's hands -------------------------------------------------------------

    void clickAnywhere()
    {
        QWidget* window = someWindow();
        clickAt(window, QPoint(number(-2, window->width() + 1), number(-2, window->height() + 1)));
    }

    void clickControl()
    {
        QWidget* window = someWindow();
        QList<QWidget*> controls;
        for (QWidget* child : window->findChildren<QWidget*>())
            if (child->isVisibleTo(window))
                controls << child;
        if (controls.isEmpty())
            return clickAnywhere();
        QWidget* control = controls[number(0, int(controls.size()) - 1)];
        const QRect area(control->mapTo(window, QPoint()), control->size());
        clickAt(window,
                QPoint(number(area.left(), area.right()), number(area.top(), area.bottom())));
    }

    void clickAt(QWidget* window, QPoint point)
    {
        log(QStringLiteral("click %1 at %2,%3")
                .arg(window->windowTitle())
                .arg(point.x())
                .arg(point.y()));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
    }

    void type(const QString& text)
    {
        log(QStringLiteral("type %1 characters: %2").arg(text.size()).arg(text.left(40)));
        QWindow* window = focusWindow();
        for (const QChar c : text) {
            const auto code = c.unicode() < 0x80 && c.isLetterOrNumber()
                                  ? Qt::Key(QChar(c).toUpper().unicode())
                                  : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, window, code, QString(c), Qt::NoModifier);
        }
    }

    void paste(const QString& text)
    {
        log(QStringLiteral("paste %1 characters").arg(text.size()));
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(focusWindow(), Qt::Key_V, Qt::ControlModifier);
    }

    void key(std::pair<Qt::Key, Qt::KeyboardModifiers> key)
    {
        log(QStringLiteral("key %1 %2").arg(key.first, 0, 16).arg(int(key.second), 0, 16));
        QTest::keyClick(focusWindow(), key.first, key.second);
    }

    void resize()
    {
        QWidget* window = someForm();
        QSize size;
        switch (pick({1, 1, 2})) {
        case 0:
            size = QSize(number(1, 20), number(1, 20));
            break;
        case 1:
            size = QSize(number(3000, 4000), number(2000, 3000));
            break;
        default:
            size = QSize(number(1, 4000), number(1, 3000));
        }
        log(QStringLiteral("resize %1 to %2x%3")
                .arg(window->windowTitle())
                .arg(size.width())
                .arg(size.height()));
        window->resize(size);
    }

    // A whole guess as a player types it: click a box, select what is there, type, and so on
    // for the other box, then Enter. Mostly scores the game takes.
    void guess()
    {
        if (!forms::instances::frmGameExists())
            return clickControl();
        QWidget* form = forms::instances::frmGame().widget();
        const int home = number(-5, 105);
        const int visiting = chance(80) ? number(-3, std::max(home - 1, -3)) : number(-5, 105);
        log(QStringLiteral("guess %1 to %2").arg(home).arg(visiting));
        for (const auto& [box, score] :
             {std::pair{"txtTolveyScore", home}, {"txtFaldScore", visiting}}) {
            QWidget* field = forms::child(forms::instances::frmGame(), box);
            if (!field->isVisibleTo(form))
                continue;
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                              field->mapTo(form, field->rect().center()));
            QTest::keyClick(focusWindow(), Qt::Key_A, Qt::ControlModifier);
            type(QString::number(score));
        }
        QTest::keyClick(focusWindow(), Qt::Key_Return);
    }

    void pressOk()
    {
        if (!forms::instances::frmGameExists())
            return clickAnywhere();
        QWidget* form = forms::instances::frmGame().widget();
        QWidget* ok = forms::child(forms::instances::frmGame(), "cmdOK");
        log(QStringLiteral("press OK"));
        if (chance(50))
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                              ok->mapTo(form, ok->rect().center()));
        else
            QTest::keyClick(form->windowHandle(), Qt::Key_Return);
    }

    void answer(QMessageBox* box)
    {
        log(QStringLiteral("answer the box"));
        switch (pick({3, 2, 2, 2, 1})) {
        case 0:
            return QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        case 1:
            return QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
        case 2:
            return QTest::keyClick(box->windowHandle(), Qt::Key_Space);
        case 3: {
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            return QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {},
                                     ok->mapTo(box, ok->rect().center()));
        }
        default:
            box->close(); // the title bar's close button
        }
    }

    // --- what the game must keep true -------------------------------------------------

    void check()
    {
        if (rt::programEnded())
            return fail(QStringLiteral("the program took the unhandled error path"));
        QMessageBox* box = openBox();
        if (!box)
            m_boxSeen = false;
        else if (!m_boxSeen) {
            m_boxSeen = true;
            if (!kMessages.contains(box->text()))
                return fail(QStringLiteral("a message box says '%1'").arg(box->text()));
            ++messages[box->text()];
        }
        if (!forms::instances::frmGameExists())
            return;
        forms::frmGame& game = forms::instances::frmGame();
        const auto v = frmGameProbe::variables(game);
        const auto text = [&](const char* name) {
            QWidget* widget = forms::child(game, name);
            if (auto* label = qobject_cast<QLabel*>(widget))
                return label->text();
            return static_cast<QLineEdit*>(widget)->text();
        };
        const auto expect = [&](bool condition, const QString& what) {
            if (!condition)
                fail(what);
            return condition;
        };

        const int quarter = v.intQuarter.value();
        if (!expect(quarter >= 1 && quarter <= 4, QStringLiteral("intQuarter is %1").arg(quarter)))
            return;
        expect(v.intTolveyLeft == 840 + 2600 * (quarter - 1) &&
                   v.intFaldLeft == 840 + 1250 * (quarter - 1),
               QStringLiteral("the markers' variables stand at %1 and %2 in quarter %3")
                   .arg(v.intTolveyLeft.value())
                   .arg(v.intFaldLeft.value())
                   .arg(quarter));
        expect(frmGameProbe::tolveyMarkerLeft(game) == v.intTolveyLeft.value() &&
                   frmGameProbe::faldMarkerLeft(game) == v.intFaldLeft.value(),
               QStringLiteral("the marker images stand elsewhere than their variables say"));
        expect(text("lblQuarter") == QString::number(quarter),
               QStringLiteral("lblQuarter shows '%1' in quarter %2")
                   .arg(text("lblQuarter"))
                   .arg(quarter));

        // The score table: filed quarters agree with their labels and passed both tests;
        // the quarters not filed yet are blank and 0.
        const char* const labels[4][2] = {
            {"lbl1", "lbl2"}, {"lbl3", "lbl4"}, {"lbl5", "lbl6"}, {"lbl7", "lbl8"}};
        const int filedVisiting[4] = {v.intFaldQ1.value(), v.intFaldQ2.value(), v.intFaldQ3.value(),
                                      v.intFaldQ4.value()};
        const int filedHome[4] = {v.intTolveyQ1.value(), v.intTolveyQ2.value(),
                                  v.intTolveyQ3.value(), v.intTolveyQ4.value()};
        const bool finished = !text("lbl8").isEmpty();
        for (int q = 1; q <= 4; ++q) {
            const int visiting = filedVisiting[q - 1];
            const int home = filedHome[q - 1];
            const QString visitingText = text(labels[q - 1][0]);
            const QString homeText = text(labels[q - 1][1]);
            const bool filed = q < 4 ? q < quarter : finished;
            if (!filed) {
                expect(visiting == 0 && home == 0 && visitingText.isEmpty() && homeText.isEmpty(),
                       QStringLiteral("quarter %1 is not filed but shows '%2' '%3' (%4 %5)")
                           .arg(q)
                           .arg(visitingText, homeText)
                           .arg(visiting)
                           .arg(home));
                continue;
            }
            expect(visiting < home && home <= 99,
                   QStringLiteral("quarter %1 filed as %2 to %3").arg(q).arg(home).arg(visiting));
            expect(agrees(visitingText, visiting) && agrees(homeText, home),
                   QStringLiteral("quarter %1 shows '%2' '%3' but holds %4 %5")
                       .arg(q)
                       .arg(visitingText, homeText)
                       .arg(visiting)
                       .arg(home));
        }
        if (finished) {
            const auto visitingSum =
                sum16({filedVisiting[0], filedVisiting[1], filedVisiting[2], filedVisiting[3]});
            const auto homeSum = sum16({filedHome[0], filedHome[1], filedHome[2], filedHome[3]});
            if (visitingSum)
                expect(text("lblFalScore") == QString::number(*visitingSum),
                       QStringLiteral("visiting total '%1', not %2")
                           .arg(text("lblFalScore"))
                           .arg(*visitingSum));
            if (visitingSum && homeSum)
                expect(text("lblTolScore") == QString::number(*homeSum),
                       QStringLiteral("home total '%1', not %2")
                           .arg(text("lblTolScore"))
                           .arg(*homeSum));
        }

        // After the last tick only the seal is left and nothing ticks any more.
        if (v.intTicks >= 75 && !forms::child(game, "cmdOK")->isVisibleTo(game.widget()))
            expect(!frmGameProbe::timer(game).Interval(),
                   QStringLiteral("the timer runs after the last tick"));
    }

    static bool agrees(const QString& text, int value)
    {
        try {
            return rt::textToInteger(text).value() == value;
        } catch (const rt::RuntimeError&) {
            return false;
        }
    }

    void fail(const QString& what)
    {
        QString report = QStringLiteral("after event %1 (game %2): %3\nthe last events:")
                             .arg(events)
                             .arg(games)
                             .arg(what);
        for (const QString& event : m_recent)
            report += "\n  " + event;
        failures << report;
    }

    // --- state of the screen ------------------------------------------------------------

    static QMessageBox* openBox()
    {
        return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    }

    bool celebrating() const
    {
        return forms::instances::frmGameExists() &&
               frmGameProbe::timer(forms::instances::frmGame()).Interval() > 0;
    }

    bool gameOver() const
    {
        if (!forms::instances::frmGameExists())
            return m_eventsThisGame > 400;
        forms::frmGame& game = forms::instances::frmGame();
        const bool ended = !forms::child(game, "cmdOK")->isVisibleTo(game.widget());
        return ended || (m_eventsThisGame > 400 && !celebrating());
    }

    QWidget* someForm()
    {
        QList<QWidget*> forms;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !qobject_cast<QMessageBox*>(window))
                forms << window;
        return forms.isEmpty() ? forms::instances::frmVorlan().widget()
                               : forms[number(0, int(forms.size()) - 1)];
    }

    QWidget* someWindow()
    {
        if (QMessageBox* box = openBox(); box && chance(50))
            return box;
        return someForm();
    }

    QWindow* focusWindow()
    {
        if (QWindow* window = QGuiApplication::focusWindow())
            return window;
        return someForm()->windowHandle();
    }

    // --- randomness ---------------------------------------------------------------------

    int number(int low, int high)
    {
        return std::uniform_int_distribution(low, std::max(low, high))(m_random);
    }
    bool chance(int percent) { return number(1, 100) <= percent; }
    int pick(std::initializer_list<int> weights)
    {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(m_random);
    }

    QString randomText(int maxLength = 12)
    {
        static const QStringList pieces = {
            "0",     "7",     "99",     "100", "-5",   "+3",     " 12 ",       "\t4",
            "32767", "32768", "-32769", "1e3", "1.5",  "abc",    "Tolveys",    "é",
            "ß",     "漢字",  "🙂",   "٣",   "１２", "\u0001", "\u007f",     "\u200b",
            "\n",    " ",     "",       "-",   "+",    ".",      "99999999999"};
        QString text;
        const int length = number(1, maxLength);
        while (text.size() < length)
            text += chance(80) ? pieces[number(0, int(pieces.size()) - 1)]
                               : QString(QChar(char16_t(number(1, 0xFFFF))));
        return text.left(length);
    }

    std::pair<Qt::Key, Qt::KeyboardModifiers> keyChoice()
    {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, {}},
            {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Tab, {}},
            {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Escape, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_Backspace, {}},
            {Qt::Key_Delete, {}},
            {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier},
            {Qt::Key_F4, Qt::AltModifier},
            {Qt::Key_Home, {}},
            {Qt::Key_End, Qt::ShiftModifier}};
        return keys[number(0, int(std::size(keys)) - 1)];
    }

    void log(const QString& event)
    {
        m_recent.push_back(QStringLiteral("%1: %2").arg(events).arg(event));
        if (m_recent.size() > 25)
            m_recent.pop_front();
    }

    std::mt19937 m_random;
    int m_maxEvents;
    QDeadlineTimer m_deadline;
    QTimer m_stepper;
    QEventLoop m_loop;
    int m_depth = 0;
    int m_eventsThisGame = 0;
    bool m_boxSeen = false;
    std::deque<QString> m_recent;
    std::vector<QMessageBox*> m_boxAtStart; // the box open when each running step began
};

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void randomInputKeepsTheGameSound();
};

void TestMonkey::randomInputKeepsTheGameSound()
{
    // The offscreen platform's remarks on what a window manager would do, on clicks that land
    // outside a window and on scripts the font lacks are the point of the exercise, not news.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QLatin1String("propagateSizeHints")) ||
                message.contains(QLatin1String("occurs outside target window")) ||
                message.contains(QLatin1String("OpenType support missing")))
                return;
            previous(type, context, message);
        });
    const unsigned seed = unsigned(setting("VORLAN_MONKEY_SEED", 2001));
    Monkey monkey(seed, setting("VORLAN_MONKEY_EVENTS", 3000),
                  setting("VORLAN_MONKEY_SECONDS", 60));
    monkey.run();
    qInfo("seed %u: %d events over %d games; %d first clicks, %d finishes, %d celebrations to the "
          "end",
          seed, monkey.events, monkey.games, monkey.firstClicks, monkey.finishes,
          monkey.celebrationsEnded);
    for (auto it = monkey.messages.cbegin(); it != monkey.messages.cend(); ++it)
        qInfo("  %4d x \"%s\"", it.value(), qPrintable(it.key()));
    qInfo("time by action (ms): click %.0f, control %.0f, type %.0f, paste %.0f, key %.0f, resize "
          "%.0f, guess %.0f, OK %.0f",
          monkey.timeSpent[0], monkey.timeSpent[1], monkey.timeSpent[2], monkey.timeSpent[3],
          monkey.timeSpent[4], monkey.timeSpent[5], monkey.timeSpent[6], monkey.timeSpent[7]);
    QVERIFY2(monkey.failures.isEmpty(), qPrintable(monkey.failures.join("\n")));
    QVERIFY(monkey.events > 0);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
