// Measures the game side by side with a bare Qt window and prints one table:
//   1. start-up, from process start to the map of the first window on the screen and to the
//      first frame inside it, for the game and two bare windows (the title screen's content
//      done the plain way, and nothing), run in turn;
//   2. their peak resident memory, and how often the title screen wakes when left alone;
//   3. the time each OK-click phase takes inside the program;
//   4. the celebration's length, from the end of the finish click to the last tick;
//   5. processor time of the user-interface thread, where all of the game runs, over idle
//      seconds before the first click and after the last tick, and the timers left running.
// Needs an X display without a window manager (bench/run.sh starts one).
// Usage: vorlan-bench [--short] PATH/TO/vorlan-cup PATH/TO/bare-window PATH/TO/pictures
//        vorlan-bench --games-only   (3 to 5 alone, for a profiler such as callgrind)

#include "forms/instances.h"
#include "frame_watch.h"
#include "game_probe.h"
#include "program_setup.h"
#include "runtime/msgbox.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <tuple>
#include <vector>

extern char** environ;

namespace {

// --- figures ----------------------------------------------------------------------------

struct Figure
{
    const char* name;
    const char* unit;
    std::vector<double> values;
    const char* target = "";
    std::optional<bool> met; // set where a target applies

    double at(double fraction) const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.empty())
            return 0;
        const double index = fraction * double(sorted.size() - 1);
        const auto low = size_t(index);
        const size_t high = std::min(low + 1, sorted.size() - 1);
        return sorted[low] + (sorted[high] - sorted[low]) * (index - double(low));
    }
    double median() const { return at(0.5); }
};

void print(const std::vector<Figure>& figures)
{
    std::printf("| %-64s | %9s | %9s | %9s | %9s | %-10s | %-4s |\n", "figure", "median", "p25",
                "p75", "max", "target", "met");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", std::string(66, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str(),
                std::string(12, '-').c_str(), std::string(6, '-').c_str());
    for (const Figure& f : figures) {
        const std::string name = std::string(f.name) + " (" + f.unit + ")";
        std::printf("| %-64s | %9.3f | %9.3f | %9.3f | %9.3f | %-10s | %-4s |\n", name.c_str(),
                    f.median(), f.at(0.25), f.at(0.75), f.at(1.0), f.target,
                    f.met ? (*f.met ? "yes" : "NO") : "");
    }
}

// --- start-up and memory, out of process ------------------------------------------------

struct Launch
{
    double mappedMs;
    double firstFrameMs;
    double peakRssMiB;
    double idleWakeups; // of the main thread, where asked for
};

// A figure from /proc/PID/FILE: the number after `key`.
double procFigure(const QString& file, const QByteArray& key)
{
    QFile status(file);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble();
    return 0;
}

// Starts a program and waits for its first frame; then, with `idleSeconds`, counts how often
// its main thread wakes over that many seconds with nobody touching it.
std::optional<Launch> launch(FirstFrameWatch& watch, std::vector<std::string> command,
                             double idleSeconds = 0)
{
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    watch.drain(0.05);
    const double start = seconds();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    const auto times = watch.firstFrame(start, 20);
    watch.drain(idleSeconds > 0 ? 1 : 0.3); // let it settle
    const double rss = procFigure(QStringLiteral("/proc/%1/status").arg(pid), "VmHWM:") / 1024.0;
    const QString mainThread = QStringLiteral("/proc/%1/task/%1/status").arg(pid);
    const double woken = procFigure(mainThread, "voluntary_ctxt_switches:");
    if (idleSeconds > 0)
        watch.drain(idleSeconds);
    const double wakeups = procFigure(mainThread, "voluntary_ctxt_switches:") - woken;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!times)
        return std::nullopt;
    return Launch{times->mapped * 1000, times->frame * 1000, rss, wakeups};
}

// --- the game, in process ---------------------------------------------------------------

// Processes events for a while, as the program does when nobody touches it.
void idle(double forSeconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(forSeconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// How often this thread has gone to sleep and been woken since it started.
double wakeups()
{
    return procFigure(QStringLiteral("/proc/thread-self/status"), "voluntary_ctxt_switches:");
}

// Processor milliseconds of this thread and its wakeups over idle seconds.
std::pair<double, double> idleUse(double forSeconds)
{
    idle(1); // what a change leaves to do (repaints, say) is done by then
    const double start = seconds(CLOCK_THREAD_CPUTIME_ID);
    const double woken = wakeups();
    idle(forSeconds);
    return {(seconds(CLOCK_THREAD_CPUTIME_ID) - start) * 1000, wakeups() - woken};
}

int activeTimers(QObject* root)
{
    int count = 0;
    QList<QObject*> objects = root->findChildren<QObject*>();
    objects << root;
    for (QObject* object : objects)
        count += int(QAbstractEventDispatcher::instance()->registeredTimers(object).size());
    return count;
}

class Game
{
public:
    // With the pointer on the OK button, as for a mouse click, or away from the window, as
    // for a player on the keyboard. (Over the window, every control that a click shows makes
    // the toolkit ask the X server where the pointer is.)
    explicit Game(bool pointerOnButton)
        : m_game(forms::instances::frmGame())
    {
        m_game.Show();
        const double end = seconds() + 5;
        while (!m_game.widget()->windowHandle()->isExposed() && seconds() < end)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        m_ok = static_cast<QPushButton*>(forms::child(m_game, "cmdOK"));
        QCursor::setPos(pointerOnButton ? m_ok->mapToGlobal(m_ok->rect().center()) : QPoint(0, 0));
        idle(0.2);
    }
    ~Game() { forms::instances::releaseForms(); }

    // Milliseconds that one OK click with these guesses takes inside the program.
    double click(const char* home, const char* visiting)
    {
        forms::enterGuess(m_game, home, visiting);
        const double start = seconds();
        m_ok->click();
        m_clickEnded = seconds();
        return (m_clickEnded - start) * 1000;
    }

    // Milliseconds from the end of the last click to its frame: what it changed, drawn into
    // the window and handed to the X server.
    double frame()
    {
        QCoreApplication::sendPostedEvents(m_game.widget(), QEvent::UpdateRequest);
        return (seconds() - m_clickEnded) * 1000;
    }

    // Seconds from the end of the last click to the tick that hides the OK button.
    double celebration()
    {
        struct HideWatch : QObject
        {
            QEventLoop loop;
            double at = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Hide && at == 0) {
                    at = seconds();
                    loop.quit();
                }
                return false;
            }
        } watch;
        m_ok->installEventFilter(&watch);
        // Stopped when this returns, so that it cannot wake a later idle measurement.
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, &watch.loop, &QEventLoop::quit);
        giveUp.start(10000);
        watch.loop.exec();
        m_ok->removeEventFilter(&watch);
        return watch.at - m_clickEnded;
    }

    // Processor milliseconds and wakeups of this (the user-interface) thread over idle
    // seconds, and the timers left running on the form.
    std::tuple<double, double, int> idleCost(double forSeconds)
    {
        const auto [used, woken] = idleUse(forSeconds);
        return {used, woken, activeTimers(m_game.widget())};
    }

private:
    forms::frmGame& m_game;
    QPushButton* m_ok = nullptr;
    double m_clickEnded = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--short") == 0;
    const bool gamesOnly = argc == 2 && std::strcmp(argv[1], "--games-only") == 0;
    if (argc != (quick ? 5 : 4) && !gamesOnly) {
        std::fprintf(stderr, "usage: vorlan-bench [--short] PATH/TO/vorlan-cup "
                             "PATH/TO/bare-window PATH/TO/pictures\n");
        return 2;
    }
    const std::string game = gamesOnly ? "" : argv[quick ? 2 : 1];
    const std::string bare = gamesOnly ? "" : argv[quick ? 3 : 2];
    const std::string pictures = gamesOnly ? "" : argv[quick ? 4 : 3];
    const int launches = quick ? 3 : 61;
    const int games = quick ? 4 : 40;
    const int idleTrials = quick ? 1 : 3;
    const double idleSeconds = quick ? 1 : 5;
    const double titleSeconds = quick ? 5 : 60;

    std::vector<Figure> figures;
    auto figure = [&](const char* name, const char* unit) -> Figure& {
        figures.push_back({name, unit, {}, "", std::nullopt});
        return figures.back();
    };
    figures.reserve(64); // the figures are referred to while more are added

    // 1 and 2: the three programs in turn, each trial in another order.
    struct Program
    {
        const char* name;
        std::vector<std::string> command;
        Figure* mapped;
        Figure* frame;
        Figure* memory;
    };
    std::vector<Program> programs = {
        {"game", {game}, nullptr, nullptr, nullptr},
        {"bare window, the title", {bare, "--title-screen", pictures}, nullptr, nullptr, nullptr},
        {"bare window, no text", {bare, "--no-text"}, nullptr, nullptr, nullptr},
    };
    std::vector<std::string> names; // the figures keep pointers into these
    names.reserve(programs.size() * 3);
    for (Program& program : programs) {
        names.push_back(std::string("start-up to the map: ") + program.name);
        program.mapped = &figure(names.back().c_str(), "ms");
        names.push_back(std::string("start-up to the first frame: ") + program.name);
        program.frame = &figure(names.back().c_str(), "ms");
    }
    Figure& startRatio = figure("first frame: game / bare window, the title", "ratio");
    Figure& floorRatio = figure("first frame: game / bare window, no text", "ratio");
    for (Program& program : programs) {
        names.push_back(std::string("peak memory: ") + program.name);
        program.memory = &figure(names.back().c_str(), "MiB");
    }
    Figure& rssDifference = figure("peak memory: game - bare window, the title", "MiB");
    Figure& titleWakeups = figure("idle: wakeups of the title screen", "count");
    const size_t outOfProcess = figures.size(); // measured unless --games-only
    if (!gamesOnly) {
        FirstFrameWatch watch;
        launch(watch, programs[1].command); // warms the file cache for all of them
        launch(watch, {game});
        for (int trial = 0; trial < launches; ++trial) {
            std::vector<std::optional<Launch>> results(programs.size());
            for (size_t k = 0; k < programs.size(); ++k) {
                const size_t which = (size_t(trial) + k) % programs.size();
                results[which] = launch(watch, programs[which].command);
            }
            if (!std::ranges::all_of(results, [](const auto& r) { return r.has_value(); })) {
                std::fprintf(stderr, "a program showed no frame within 20 s\n");
                return 1;
            }
            for (size_t which = 0; which < programs.size(); ++which) {
                programs[which].mapped->values.push_back(results[which]->mappedMs);
                programs[which].frame->values.push_back(results[which]->firstFrameMs);
                programs[which].memory->values.push_back(results[which]->peakRssMiB);
            }
            startRatio.values.push_back(results[0]->firstFrameMs / results[1]->firstFrameMs);
            floorRatio.values.push_back(results[0]->firstFrameMs / results[2]->firstFrameMs);
            rssDifference.values.push_back(results[0]->peakRssMiB - results[1]->peakRssMiB);
        }
        // The title screen left alone.
        const std::optional<Launch> alone = launch(watch, {game}, titleSeconds);
        if (!alone) {
            std::fprintf(stderr, "the game showed no frame within 20 s\n");
            return 1;
        }
        titleWakeups.values.push_back(alone->idleWakeups);
    }
    startRatio.target = "<= 1.00";
    startRatio.met = startRatio.median() <= 1.00;
    rssDifference.target = "<= 8";
    rssDifference.met = rssDifference.median() <= 8;
    titleWakeups.target = "0";
    titleWakeups.met = titleWakeups.at(1.0) == 0;

    // 3 to 5: the game itself, in this process, with the message box answered at once.
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const GameProgram program;
    rt::setMessageBoxHandler([](const QString&) {});

    Figure& firstClick = figure("click: first, with the field drawing", "ms");
    Figure& firstFrame = figure("click: first, then its frame", "ms");
    Figure& firstClickMouse = figure("click: first, pointer over the window", "ms");
    Figure& quarterStep = figure("click: quarter step", "ms");
    Figure& refused = figure("click: refused guess", "ms");
    Figure& badText = figure("click: text that is no score", "ms");
    Figure& finish = figure("click: finish, with the pause and the first tick", "ms");
    Figure& celebration = figure("celebration: end of finish to last tick", "s");
    Figure& idleNothing = figure("idle: processor time with no window (reference)", "ms");
    Figure& idleBefore = figure("idle: processor time before the first click", "ms");
    Figure& idleAfter = figure("idle: processor time after the last tick", "ms");
    Figure& wakeNothing = figure("idle: wakeups with no window (reference)", "count");
    Figure& wakeBefore = figure("idle: wakeups before the first click", "count");
    Figure& wakeAfter = figure("idle: wakeups after the last tick", "count");
    Figure& timersBefore = figure("idle: timers running before the first click", "count");
    Figure& timersAfter = figure("idle: timers running after the last tick", "count");
    for (int trial = 0; trial < idleTrials; ++trial) {
        const auto [used, woken] = idleUse(idleSeconds);
        idleNothing.values.push_back(used);
        wakeNothing.values.push_back(woken);
    }
    for (int trial = 0; trial < games; ++trial) {
        const bool mouse = trial % 2 == 1;
        Game g(mouse);
        if (trial < idleTrials) {
            const auto [used, woken, timers] = g.idleCost(idleSeconds);
            idleBefore.values.push_back(used);
            wakeBefore.values.push_back(woken);
            timersBefore.values.push_back(timers);
        }
        const double first = g.click("0", "0");
        (mouse ? firstClickMouse : firstClick).values.push_back(first);
        if (!mouse)
            firstFrame.values.push_back(first + g.frame());
        quarterStep.values.push_back(g.click("7", "3"));
        refused.values.push_back(g.click("3", "5"));
        badText.values.push_back(g.click("x", "3"));
        g.click("10", "-4");
        g.click("99", "98");
        finish.values.push_back(g.click("7", "3"));
        celebration.values.push_back(g.celebration());
        if (trial < idleTrials) {
            const auto [used, woken, timers] = g.idleCost(idleSeconds);
            idleAfter.values.push_back(used);
            wakeAfter.values.push_back(woken);
            timersAfter.values.push_back(timers);
        }
    }
    firstClick.target = "<= 0.3";
    firstClick.met = firstClick.median() <= 0.3;
    for (Figure* click : {&quarterStep, &refused, &badText}) {
        click->target = "< 1";
        click->met = click->median() < 1;
    }
    finish.target = "< 2";
    finish.met = finish.median() < 2;
    celebration.target = "1.85 +- 1%";
    celebration.met = std::abs(celebration.median() - 1.85) <= 0.0185;
    for (Figure* timers : {&timersBefore, &timersAfter}) {
        timers->target = "0";
        timers->met = timers->at(1.0) == 0;
    }
    // The measuring loop wakes once itself, when its time is up.
    for (Figure* woken : {&wakeBefore, &wakeAfter}) {
        woken->target = "<= 1";
        woken->met = woken->median() <= 1;
    }

    std::printf("%s run: %d start-ups of each program, %d games, %d x %.0f s idle each way, "
                "%.0f s on the title screen\n\n",
                quick ? "Short" : "Full", launches, games, idleTrials, idleSeconds, titleSeconds);
    print(figures);

    // The timings decide nothing here; a figure that went unmeasured is a broken benchmark.
    int unmeasured = 0;
    for (size_t i = gamesOnly ? outOfProcess : 0; i < figures.size(); ++i) {
        const Figure& f = figures[i];
        const auto finite = [](double value) { return std::isfinite(value); };
        if (f.values.empty() || !std::ranges::all_of(f.values, finite)) {
            std::fprintf(stderr, "not measured: %s\n", f.name);
            ++unmeasured;
        }
    }
    return unmeasured == 0 ? 0 : 1;
}
