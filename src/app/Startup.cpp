#include "app/Startup.h"

#include "platform/Desktop.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

void raiseBanner(QWidget *mainWindow, const QString &name)
{
    if (auto *label = mainWindow->findChild<QLabel *>(name))
        label->raise();
}

} // namespace

int CoBrand_Randomize(platform::Desktop &desktop, QWidget *mainWindow)
{
    const double r = desktop.random();
    // A draw outside 0 <= r < 1 still gives one of the six numbers.
    const qint16 intCoBrandRandomNumber =
        std::isfinite(r) ? qint16(std::clamp(1 + int(std::floor(6 * std::clamp(r, 0.0, 1.0))), 1, 6)) : 1;
    if (mainWindow)
        raiseBanner(mainWindow, intCoBrandRandomNumber % 2 == 1 ? QStringLiteral("lblCobrand")
                                                                : QStringLiteral("lblFullBrand"));
    return intCoBrandRandomNumber;
}

} // namespace app
