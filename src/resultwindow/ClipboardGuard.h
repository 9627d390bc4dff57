#pragma once

// Keeps text copied out of a profile box on the clipboard only briefly: the
// clipboard is emptied whenever the box's text changes and whenever the mouse
// acts on the box (a click, a button pressed or released, a movement), and on
// nothing else.

#include <QObject>

class QPlainTextEdit;

namespace platform {
class Desktop;
}

namespace resultwindow {

class ClipboardGuard : public QObject
{
public:
    ClipboardGuard(QPlainTextEdit *box, platform::Desktop &desktop);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void emptyClipboard();

    platform::Desktop &m_desktop;
    bool m_releasing = false;
};

} // namespace resultwindow
