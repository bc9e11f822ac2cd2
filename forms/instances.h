#pragma once

namespace forms {

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
