#include "windowkit/Centre.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace windowkit {

namespace {

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

class CentreOnShow final : public QObject
{
public:
    explicit CentreOnShow(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Before the window's own show handling: a dialog that has been
        // moved keeps the place instead of taking one beside its parent.
        if (watched == parent() && event->type() == QEvent::Show) {
            centreOnScreen(static_cast<QWidget *>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreWhenFirstShown(QWidget *window)
{
    new CentreOnShow(window);
}

} // namespace windowkit
