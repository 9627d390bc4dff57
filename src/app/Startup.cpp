#include "app/Startup.h"

#include "app/Shell.h"
#include "app/UpdateReminder.h"
#include "links/SiteLinks.h"
#include "platform/Desktop.h"
#include "test_window/FrmMain.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// A step that fails is abandoned without a word and start-up goes on.
template <typename Step>
void guarded(Step step)
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
    FrmMain *mainWindow = nullptr;
    guarded([&] { mainWindow = shell.showMainWindow(); });
    guarded([&] { CoBrand_Randomize(desktop, mainWindow); });
    return true;
}

int CoBrand_Randomize(platform::Desktop &desktop, QWidget *mainWindow)
{
    const double r = desktop.random();
    // A draw outside 0 <= r < 1 still gives one of the six numbers.
    const qint16 intCoBrandRandomNumber =
        std::isfinite(r) ? qint16(std::clamp(1 + int(std::floor(6 * std::clamp(r, 0.0, 1.0))), 1, 6)) : 1;
    links::bringBannerToFront(mainWindow, intCoBrandRandomNumber % 2 == 1 ? links::BottomBanner::CoBrand
                                                                          : links::BottomBanner::FullBrand);
    return intCoBrandRandomNumber;
}

} // namespace app
