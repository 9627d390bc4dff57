#include "app/Startup.h"

#include "links/SiteLinks.h"
#include "platform/Desktop.h"

#include <algorithm>
#include <cmath>

namespace app {

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
