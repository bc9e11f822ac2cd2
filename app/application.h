#pragma once

namespace app {

// Names the application to the desktop, gives every window its icon, and leaves the decision
// when to end to the program itself. Called once, right after the QApplication is made.
void setUpApplication();

} // namespace app
