#include "windowkit/Links.h"

#include "windowkit/Site.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <utility>

namespace windowkit {

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

} // namespace

void makeLinkLabel(QLabel *label, std::function<void()> action)
{
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new LinkClick(label, std::move(action)));
}

void makePageLink(QLabel *label, platform::Desktop &desktop, const QString &key)
{
    makeLinkLabel(label, [&desktop, key] { OpenSiteLink(desktop, key); });
}

void connectPage(QAction *item, platform::Desktop &desktop, const QString &key)
{
    QObject::connect(item, &QAction::triggered, item, [&desktop, key] { OpenSiteLink(desktop, key); });
}

void connectSiteMenu(const SiteMenu &menu, platform::Desktop &desktop)
{
    connectPage(menu.onlineHelp, desktop, kHelpPage);
    connectPage(menu.visit, desktop, kHomePage);
    connectPage(menu.update, desktop, kDownloadPage);
    connectPage(menu.donate, desktop, kDonatePage);
    connectPage(menu.makeMoneyOnline, desktop, kFullyBrandedPage);
}

} // namespace windowkit
