#pragma once

// Dialog keys for a window: the exit button is the window's default and
// cancel button. Esc presses it; Enter presses it too unless the focus is on
// a button, which Enter then presses instead.

#include <QObject>

class QAbstractButton;
class QWidget;

namespace windowkit {

class WindowKeys : public QObject
{
public:
    // Watches every control of the window that can take the focus; call
    // after the window's controls exist.
    WindowKeys(QWidget *window, QAbstractButton *exitButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_exitButton;
};

} // namespace windowkit
