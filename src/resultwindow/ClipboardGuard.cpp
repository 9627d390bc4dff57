#include "resultwindow/ClipboardGuard.h"

#include "platform/Desktop.h"

#include <QMouseEvent>
#include <QPlainTextEdit>

namespace resultwindow {

ClipboardGuard::ClipboardGuard(QPlainTextEdit *box, platform::Desktop &desktop)
    : QObject(box)
    , m_box(box)
    , m_desktop(desktop)
{
    connect(box, &QPlainTextEdit::textChanged, this, &ClipboardGuard::emptyClipboard);
    // Movements without a button held are reported only with tracking on.
    box->viewport()->setMouseTracking(true);
    box->viewport()->installEventFilter(this);
}

bool ClipboardGuard::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_leftPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        emptyClipboard();
        break;
    case QEvent::MouseMove:
        emptyClipboard();
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        emptyClipboard();
        // A left press and release over the box is also a click.
        if (mouse->button() == Qt::LeftButton && m_leftPressed
            && m_box->viewport()->rect().contains(mouse->position().toPoint()))
            emptyClipboard();
        m_leftPressed = false;
        break;
    }
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
