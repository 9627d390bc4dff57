#pragma once

// Dialog keys for a window: Enter on a focused button presses it, as on any
// Windows form. The exit button, when the window has one, is its default and
// cancel button: Esc presses it, and so does Enter unless the focus is on a
// button.

#include <QObject>

class QAbstractButton;
class QWidget;

namespace windowkit {

class WindowKeys : public QObject
{
public:
    // Watches every control of the window that can take the focus; call
    // after the window's controls exist. exitButton may be null: then Enter
    // away from a button and Esc are left to the controls.
    WindowKeys(QWidget *window, QAbstractButton *exitButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_exitButton;
};

} // namespace windowkit
