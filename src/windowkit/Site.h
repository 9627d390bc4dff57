#pragma once

// The maker's web pages. Every page address is the configured base address
// and folder plus "/ssd.php?page=" and a key; the menus and banner labels of
// the windows, the about box, the exit screen and the update reminder all
// open pages through OpenSiteLink, which hands the address to the desktop and
// never waits or reports.

#include <QString>

namespace platform {
class Desktop;
}

namespace windowkit {

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

} // namespace windowkit
