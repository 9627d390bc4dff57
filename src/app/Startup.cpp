#include "app/Startup.h"

#include "app/Shell.h"
#include "app/UpdateReminder.h"
#include "mainwindow/FrmMain.h"
#include "platform/Desktop.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// Runs one step of the start-up on its own: a step that fails (a desktop
// call may throw) is skipped without a message, and the start-up goes on
// with its next step.
template <typename Step>
void guarded(Step &&step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

bool StartApplication(platform::Desktop &desktop, Shell &shell)
{
    // When the guard itself fails nobody can tell whether another copy
    // runs; refusing then would lock the user out, so the program starts.
    bool alone = true;
    guarded([&] { alone = desktop.claimSingleInstance(); });
    if (!alone) {
        guarded([&] {
            desktop.message(QStringLiteral("Application is already running"), platform::Icon::Information,
                            platform::Buttons::Ok);
        });
        guarded([&] { shell.EndProgram(); });
        return false;
    }

    guarded([&] { desktop.seedRandom(); });
    guarded([&] { UpdateReminder(desktop); });
    mainwindow::FrmMain *mainWindow = nullptr;
    guarded([&] { mainWindow = shell.showMainWindow(); });
    guarded([&] { CoBrand_Randomize(desktop, mainWindow); });
    return true;
}

int CoBrand_Randomize(platform::Desktop &desktop, mainwindow::FrmMain *mainWindow)
{
    const double r = desktop.random();
    // A draw outside 0 <= r < 1 still gives one of the six numbers.
    const int number = std::isfinite(r) ? std::clamp(1 + int(std::floor(6 * std::clamp(r, 0.0, 1.0))), 1, 6) : 1;
    if (mainWindow) {
        mainWindow->bringBannerToFront(number % 2 == 1 ? windowkit::BottomBanner::CoBrand
                                                       : windowkit::BottomBanner::FullBrand);
    }
    return number;
}

} // namespace app
