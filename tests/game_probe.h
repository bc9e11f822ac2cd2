#pragma once

#include "forms/game/frmGame.h"
#include "runtime/focusring.h"
#include "runtime/formwidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

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
    struct Variables
    {
        int intFieldLeft = 0;
        int intFieldTop = 0;
        int intQuarter = 0;
        int intClicks = 0;
        int intTolveyScore = 0;
        int intFaldScore = 0;
        int intTolveyLeft = 0;
        int intFaldLeft = 0;
        int intFaldQ1 = 0;
        int intFaldQ2 = 0;
        int intFaldQ3 = 0;
        int intTolveyQ1 = 0;
        int intTolveyQ2 = 0;
        int intTolveyQ3 = 0;
        int intFaldQ4 = 0;
        int intTolveyQ4 = 0;
        int intDelayOuter = 0;
        int intDelayInner = 0;
        int intTicks = 0;

        friend bool operator==(const Variables&, const Variables&) = default;
    };

    static Variables variables(const frmGame& game)
    {
        return {
            .intFieldLeft = game.intFieldLeft.value(),
            .intFieldTop = game.intFieldTop.value(),
            .intQuarter = game.intQuarter.value(),
            .intClicks = game.intClicks.value(),
            .intTolveyScore = game.intTolveyScore.value(),
            .intFaldScore = game.intFaldScore.value(),
            .intTolveyLeft = game.intTolveyLeft.value(),
            .intFaldLeft = game.intFaldLeft.value(),
            .intFaldQ1 = game.intFaldQ1.value(),
            .intFaldQ2 = game.intFaldQ2.value(),
            .intFaldQ3 = game.intFaldQ3.value(),
            .intTolveyQ1 = game.intTolveyQ1.value(),
            .intTolveyQ2 = game.intTolveyQ2.value(),
            .intTolveyQ3 = game.intTolveyQ3.value(),
            .intFaldQ4 = game.intFaldQ4.value(),
            .intTolveyQ4 = game.intTolveyQ4.value(),
            .intDelayOuter = game.intDelayOuter.value(),
            .intDelayInner = game.intDelayInner.value(),
            .intTicks = game.intTicks.value(),
        };
    }
};

} // namespace forms
