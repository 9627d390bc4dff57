#include "windowkit/WindowKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace windowkit {

WindowKeys::WindowKeys(QWidget *window, QAbstractButton *exitButton)
    : QObject(window)
    , m_exitButton(exitButton)
{
    window->installEventFilter(this);
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // An open drop-down list is a popup window of its own: its Enter and Esc
    // pick or close the list.
    if (static_cast<QWidget *>(watched)->window() != parent())
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = keyEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape)
        return false;
    auto *focusedButton = qobject_cast<QAbstractButton *>(watched);
    if (enter && focusedButton)
        focusedButton->click();
    else if (m_exitButton)
        m_exitButton->click();
    else
        return false;
    return true;
}

} // namespace windowkit
