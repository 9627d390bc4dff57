#pragma once

// The start-up sequence: the single-instance guard, the seed, the update
// reminder, the main window and the pick of the bottom banner, in that order.

class QWidget;

namespace platform {
class Desktop;
}

namespace app {

class Shell;

// False when another copy runs: the user has been told and EndProgram has
// run. True with the main window shown.
bool StartApplication(platform::Desktop &desktop, Shell &shell);

// Brings lblCobrand (odd draw) or lblFullBrand (even draw) of the main window
// to the front and returns the number drawn, 1 to 6.
int CoBrand_Randomize(platform::Desktop &desktop, QWidget *mainWindow);

} // namespace app
