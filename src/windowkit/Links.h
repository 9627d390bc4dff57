#pragma once

// How a window wires its links to the site's pages: labels that act as links
// (a pointing hand over them, and an action for every single left click that
// is pressed and released on the label) and menu items.

#include <QString>

#include <functional>

class QAction;
class QLabel;

namespace platform {
class Desktop;
}

namespace windowkit {

void makeLinkLabel(QLabel *label, std::function<void()> action);
// A label that opens the site's page with this key.
void makePageLink(QLabel *label, platform::Desktop &desktop, const QString &key);
// A menu item that opens the site's page with this key.
void connectPage(QAction *item, platform::Desktop &desktop, const QString &key);

// The menu items of the site's pages that the main and result windows share.
struct SiteMenu {
    QAction *onlineHelp;
    QAction *visit;
    QAction *update;
    QAction *donate;
    QAction *makeMoneyOnline;
};
void connectSiteMenu(const SiteMenu &menu, platform::Desktop &desktop);

} // namespace windowkit
