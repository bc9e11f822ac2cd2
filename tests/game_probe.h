#pragma once

#include "forms/game/frmGame.h"
#include "runtime/focusring.h"
#include "runtime/formwidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

// What QtTest prints for a game variable whose check fails.
namespace rt {
inline char* toString(const Integer& value)
{
    return QTest::toString(int(value));
}
} // namespace rt

namespace forms {

// The widget behind one of the game form's controls.
inline QWidget* child(const frmGame& game, const char* name)
{
    auto* widget = game.widget()->findChild<QWidget*>(name);
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// What the player does on the game form, and what a label or a box shows.
inline void clickOK(const frmGame& game)
{
    QTest::mouseClick(child(game, "cmdOK"), Qt::LeftButton);
}
// Puts a guess into the two boxes, in place of what they held.
inline void enterGuess(const frmGame& game, const QString& home, const QString& visiting)
{
    static_cast<QLineEdit*>(child(game, "txtTolveyScore"))->setText(home);
    static_cast<QLineEdit*>(child(game, "txtFaldScore"))->setText(visiting);
}
inline void guess(const frmGame& game, const QString& home, const QString& visiting)
{
    enterGuess(game, home, visiting);
    clickOK(game);
}
inline QString shown(const frmGame& game, const char* name)
{
    QWidget* widget = child(game, name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return static_cast<QLineEdit*>(widget)->text();
}

// The widgets of a form's controls: its children but for the focus ring and the screen
// reader's announcements.
inline QList<QWidget*> controlsOf(QWidget* form,
                                  Qt::FindChildOptions options = Qt::FindDirectChildrenOnly)
{
    QList<QWidget*> controls;
    for (QWidget* widget : form->findChildren<QWidget*>(options))
        if (!qobject_cast<rt::FocusRing*>(widget) && !qobject_cast<rt::Announcement*>(widget))
            controls << widget;
    return controls;
}

// Reads the game form's state for the tests, and runs its private routines.
struct frmGameProbe
{
    static void setFieldOrigin(frmGame& game, int left, int top)
    {
        game.intFieldLeft = left;
        game.intFieldTop = top;
    }
    static void setClicks(frmGame& game, int clicks) { game.intClicks = clicks; }
    static void drawField(frmGame& game) { game.DrawField(); }
    static void tick(frmGame& game) { game.tmrRandom_Timer(); }
    static rt::Timer& timer(frmGame& game) { return game.tmrRandom; }
    // Where the markers stand, in twips, as their controls say.
    static float tolveyMarkerLeft(const frmGame& game) { return game.imgTolvey.Left(); }
    static float faldMarkerLeft(const frmGame& game) { return game.imgFald.Left(); }

    // The game's variables, each by its name.
    using Variables = frmGameState;
    static Variables variables(const frmGame& game) { return game; }
};

} // namespace forms
