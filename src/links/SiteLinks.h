#pragma once

// The maker's web pages and how the windows reach them. Every page address is
// the configured base address and folder plus "/ssd.php?page=" and a key; the
// menus and banner labels of both main windows, the about box, the exit
// screen and the update reminder all open pages through OpenSiteLink, which
// hands the address to the desktop and never waits or reports.

#include <QString>

#include <functional>

class QLabel;
class QMainWindow;
class QWidget;

namespace platform {
class Desktop;
}

namespace links {

// The page keys of the maker's site.
inline const QString kHomePage = QStringLiteral("home-page");
inline const QString kHelpPage = QStringLiteral("help-web-page");
inline const QString kDownloadPage = QStringLiteral("download-web-page");
inline const QString kDonatePage = QStringLiteral("donate");
inline const QString kCoBrandPage = QStringLiteral("co-brand");
inline const QString kFullyBrandedPage = QStringLiteral("fully-branded");
inline const QString kCataloguePage = QStringLiteral("talvanesoftwares");
inline const QString kReferralPage = QStringLiteral("qrzx-refer-a-friend");

QString siteBaseAddress();
QString siteFolder();
// The site's address as a reader would type it: the base without its scheme.
QString siteDisplayAddress();

QString pageAddress(const QString &key);    // base + "/" + folder + "/ssd.php?page=" + key
QString programPageAddress();               // base + "/" + folder + "/"

void OpenSiteLink(platform::Desktop &desktop, const QString &key);

// Turns a label into a link: pointing hand over it, and action() once for
// every single left click that is pressed and released on it.
void makeLinkLabel(QLabel *label, std::function<void()> action);

// Wires the menu items mnuOnline, mnuVisit, mnuUpdate, mnuAbout, mnuDonate,
// mnuMakeMoneyOnline and the banner labels Label61, lblCobrand, lblFullBrand
// found by objectName in the window. Wiring a window twice changes nothing.
void attachSiteLinks(QMainWindow *window, platform::Desktop &desktop);

enum class BottomBanner { CoBrand, FullBrand };
void bringBannerToFront(QWidget *window, BottomBanner which);

// A fresh about box, run modally without owner and destroyed when it closes.
void openAboutBox(platform::Desktop &desktop);

} // namespace links
