#pragma once

// The start-up sequence: the single-instance guard, the seed, the update
// reminder, the main window and the pick of the bottom banner, in that order.

namespace platform {
class Desktop;
}
namespace mainwindow {
class FrmMain;
}

namespace app {

class Shell;

// False when another copy runs: the user has been told and EndProgram has
// run. True with the main window shown.
bool StartApplication(platform::Desktop &desktop, Shell &shell);

// Brings the co-brand offer (odd draw) or the fully-branded offer (even draw)
// of the main window to the front and returns the number drawn, 1 to 6.
int CoBrand_Randomize(platform::Desktop &desktop, mainwindow::FrmMain *mainWindow);

} // namespace app
