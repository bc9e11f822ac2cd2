#pragma once

#include <QString>

namespace forms {

// The program's title, which the runtime is given at start: the caption of every message box.
inline const QString kProgramTitle = QStringLiteral("VorlanCup2001");

class frmVorlan;
class frmGame;

// The default instances of the two forms, each created on first use.
namespace instances {

forms::frmVorlan& frmVorlan();
forms::frmGame& frmGame();

// Whether the game form has been created yet (without creating it).
bool frmGameExists();

// Destroys both instances; only the end of the program (and a test's clean-up) calls it.
void releaseForms();

} // namespace instances
} // namespace forms
