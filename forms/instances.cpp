#include "instances.h"

#include "forms/game/frmGame.h"
#include "forms/title/frmVorlan.h"
#include "runtime/instance.h"

#include <QCoreApplication>

namespace forms::instances {
namespace {
rt::DefaultInstance<forms::frmVorlan> g_frmVorlan;
rt::DefaultInstance<forms::frmGame> g_frmGame;

// Closing the game form ends the program; so does closing the title form while there is no
// game form yet. Once the game form exists the title form is hidden for good.
void endProgram()
{
    QCoreApplication::exit(0);
}
} // namespace

forms::frmVorlan& frmVorlan()
{
    if (g_frmVorlan.isEmpty())
        g_frmVorlan.get().onClose([] {
            if (!frmGameExists())
                endProgram();
        });
    return g_frmVorlan.get();
}

forms::frmGame& frmGame()
{
    if (g_frmGame.isEmpty())
        g_frmGame.get().onClose(endProgram);
    return g_frmGame.get();
}

bool frmGameExists()
{
    return !g_frmGame.isEmpty();
}

void releaseForms()
{
    g_frmGame.release();
    g_frmVorlan.release();
}

} // namespace forms::instances
