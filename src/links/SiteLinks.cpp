#include "links/SiteLinks.h"

#include "links/FrmAbout.h"
#include "platform/Desktop.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>

#include <utility>

namespace links {

namespace {

// A click is a left press and release on the label, as a button counts it:
// releasing after dragging off the label is no click.
class LinkClick final : public QObject
{
public:
    LinkClick(QLabel *label, std::function<void()> action)
        : QObject(label), m_label(label), m_action(std::move(action))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_label)
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_pressed = true;
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_pressed) {
                m_pressed = false;
                if (m_label->rect().contains(mouse->position().toPoint()))
                    m_action();
                return true;
            }
        }
        return false;
    }

private:
    QLabel *m_label;
    std::function<void()> m_action;
    bool m_pressed = false;
};

const char kAttachedProperty[] = "quenloryLinksAttached";

} // namespace

QString siteBaseAddress()
{
    return QStringLiteral(QUENLORY_SITE_BASE);
}

QString siteFolder()
{
    return QStringLiteral(QUENLORY_SITE_FOLDER);
}

QString siteDisplayAddress()
{
    QString address = siteBaseAddress();
    for (const char *scheme : {"https://", "http://"}) {
        if (address.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return address.mid(int(qstrlen(scheme)));
    }
    return address;
}

QString pageAddress(const QString &key)
{
    return siteBaseAddress() + u'/' + siteFolder() + QStringLiteral("/ssd.php?page=") + key;
}

QString programPageAddress()
{
    return siteBaseAddress() + u'/' + siteFolder() + u'/';
}

void OpenSiteLink(platform::Desktop &desktop, const QString &key)
{
    desktop.openUrl(pageAddress(key));
}

void makeLinkLabel(QLabel *label, std::function<void()> action)
{
    if (!label)
        return;
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new LinkClick(label, std::move(action)));
}

void attachSiteLinks(QMainWindow *window, platform::Desktop &desktop)
{
    if (!window || window->property(kAttachedProperty).toBool())
        return;
    window->setProperty(kAttachedProperty, true);

    const std::pair<const char *, QString> pages[] = {
        {"mnuOnline", kHelpPage},
        {"mnuVisit", kHomePage},
        {"mnuUpdate", kDownloadPage},
        {"mnuDonate", kDonatePage},
        {"mnuMakeMoneyOnline", kFullyBrandedPage},
    };
    for (const auto &[name, key] : pages) {
        if (QAction *action = window->findChild<QAction *>(QLatin1String(name))) {
            QObject::connect(action, &QAction::triggered, window,
                             [&desktop, key = key] { OpenSiteLink(desktop, key); });
        }
    }
    if (QAction *about = window->findChild<QAction *>(QStringLiteral("mnuAbout")))
        QObject::connect(about, &QAction::triggered, window, [&desktop] { openAboutBox(desktop); });

    const std::pair<const char *, QString> banners[] = {
        {"Label61", kHomePage},
        {"lblCobrand", kCoBrandPage},
        {"lblFullBrand", kFullyBrandedPage},
    };
    for (const auto &[name, key] : banners) {
        makeLinkLabel(window->findChild<QLabel *>(QLatin1String(name)),
                      [&desktop, key = key] { OpenSiteLink(desktop, key); });
    }
}

void bringBannerToFront(QWidget *window, BottomBanner which)
{
    if (!window)
        return;
    const QString name = which == BottomBanner::CoBrand ? QStringLiteral("lblCobrand")
                                                        : QStringLiteral("lblFullBrand");
    if (QLabel *label = window->findChild<QLabel *>(name))
        label->raise();
}

void openAboutBox(platform::Desktop &desktop)
{
    FrmAbout about(desktop);
    desktop.execModal(about);
}

} // namespace links
