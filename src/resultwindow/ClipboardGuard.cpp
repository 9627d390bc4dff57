#include "resultwindow/ClipboardGuard.h"

#include "platform/Desktop.h"

#include <QEvent>
#include <QPlainTextEdit>

namespace resultwindow {

ClipboardGuard::ClipboardGuard(QPlainTextEdit *box, platform::Desktop &desktop)
    : QObject(box)
    , m_desktop(desktop)
{
    connect(box, &QPlainTextEdit::textChanged, this, &ClipboardGuard::emptyClipboard);
    // Movements without a button held are reported only with tracking on.
    box->viewport()->setMouseTracking(true);
    box->viewport()->installEventFilter(this);
}

bool ClipboardGuard::eventFilter(QObject *, QEvent *event)
{
    // A click is a press and a release, each of which empties it already.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        emptyClipboard();
        break;
    default:
        break;
    }
    return false;
}

void ClipboardGuard::emptyClipboard()
{
    m_desktop.clearClipboard();
}

} // namespace resultwindow
