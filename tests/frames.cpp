// Starts a program on an X display without a window manager and records what its first window
// shows, until nothing has been drawn in it for a second and a half (20 seconds at most). Each
// picture that it showed on the way goes to OUTDIR/frame-NN.png. Then the first picture that
// shows the colour INK is compared with the last.
// Usage: frames INK OUTDIR PROGRAM [ARGUMENTS...]   (INK as #RRGGBB)
// Exit status: 0 when the two are the same, 1 when they differ or no picture shows INK, 2 when
// the program or the display cannot be used.

#include "frame_watch.h"

#include <QColor>
#include <QString>

#include <cstdio>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

bool shows(const QImage& image, QRgb ink)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (ink & 0xffffff))
                return true;
    return false;
}

int differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

int main(int argc, char* argv[])
{
    const QColor ink(QString::fromLatin1(argc > 1 ? argv[1] : ""));
    if (argc < 4 || !ink.isValid()) {
        std::fprintf(stderr, "usage: frames INK OUTDIR PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    try {
        FirstFrameWatch watch;
        const double start = seconds();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
            std::fprintf(stderr, "frames: %s cannot be started\n", argv[3]);
            return 2;
        }
        const std::vector<FirstFrameWatch::Frame> frames = watch.frames(start, 1.5, 20);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);

        const FirstFrameWatch::Frame* first = nullptr;
        for (size_t i = 0; i < frames.size(); ++i) {
            const bool inked = shows(frames[i].image, ink.rgb());
            const QString file =
                QStringLiteral("%1/frame-%2.png").arg(folder).arg(i, 2, 10, QChar(u'0'));
            frames[i].image.save(file);
            std::printf("%s at %.0f ms%s\n", qPrintable(file), frames[i].at * 1000,
                        inked ? ", shows the ink" : "");
            if (inked && !first)
                first = &frames[i];
        }
        if (!first) {
            std::printf("no picture shows %s\n", argv[1]);
            return 1;
        }
        const int count = differing(first->image, frames.back().image);
        std::printf("the first picture that shows the ink and the last differ in %d pixels\n",
                    count);
        return count == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frames: %s\n", error.what());
        return 2;
    }
}
