#pragma once

namespace app {

// Names the application to the desktop and leaves the decision when to end to the program
// itself. Called once, right after the QApplication is made.
void setUpApplication();

// Gives every window the application's icon. Decoding it takes a while, so the program calls
// this once its first window is on the screen.
void setWindowIcons();

} // namespace app
