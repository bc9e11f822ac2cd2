#pragma once

#include "runtime/nativeevents.h"

#include <QString>

namespace rt {

// What the runtime sets up once for the whole program, from right after the QApplication is
// made until the program ends: the program's title for message boxes, what screen readers
// are told about the controls that Qt knows no role for, the watch on the X11 events that Qt
// alone handles differently from the forms' runtime, and no pixmap cache. One instance, owned
// by main().
class Program
{
public:
    explicit Program(const QString& title);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The caption of every message box; empty while no program is set up.
    static QString title();

private:
    static Program* s_current;

    QString m_title;
    BlockedCloseFilter m_blockedClose;
    KeyRepeatFilter m_keyRepeats;
    int m_pixmapCacheLimit = 0;
};

} // namespace rt
