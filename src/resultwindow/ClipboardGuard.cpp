#include "resultwindow/ClipboardGuard.h"

#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

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

bool ClipboardGuard::eventFilter(QObject *watched, QEvent *event)
{
    // A click is a press and a release, each of which empties it already.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
        emptyClipboard();
        break;
    case QEvent::MouseButtonRelease:
        if (m_releasing)
            break;
        {
            // The box hands what the mouse selected to X11's selection as
            // the button is released: it takes the release first, and the
            // clipboards are emptied after it.
            const QScopedValueRollback<bool> releasing(m_releasing, true);
            QCoreApplication::sendEvent(watched, event);
        }
        emptyClipboard();
        return true;
    default:
        break;
    }
    return false;
}

void ClipboardGuard::emptyClipboard()
{
    // Called from inside the box's own signals and events, where nothing may
    // be thrown: a clipboard that cannot be emptied leaves the window, its
    // filling and Back to go on as ever.
    try {
        m_desktop.clearClipboard();
    } catch (...) {
    }
}

} // namespace resultwindow
