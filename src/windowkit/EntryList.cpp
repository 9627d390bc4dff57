#include "windowkit/EntryList.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace windowkit {

EntryList::EntryList(QWidget *parent)
    : QComboBox(parent)
{
    QAccessible::installActivationObserver(this);
}

EntryList::~EntryList()
{
    QAccessible::removeActivationObserver(this);
}

void EntryList::setEntries(const QStringList &entries)
{
    clear();
    m_waiting = entries;
    if (QAccessible::isActive())
        takeEntries();
    update();
}

void EntryList::takeEntries()
{
    if (m_waiting.isEmpty())
        return;
    const QStringList entries = std::exchange(m_waiting, {});
    addItems(entries);
    setCurrentIndex(0);
}

void EntryList::showPopup()
{
    takeEntries();
    QComboBox::showPopup();
}

bool EntryList::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
        takeEntries();
        break;
    default:
        break;
    }
    return QComboBox::event(event);
}

void EntryList::paintEvent(QPaintEvent *event)
{
    if (m_waiting.isEmpty()) {
        QComboBox::paintEvent(event);
        return;
    }
    // What QComboBox draws for a list whose current entry is the first one.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = m_waiting.first();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void EntryList::accessibilityActiveChanged(bool active)
{
    if (active)
        takeEntries();
}

} // namespace windowkit
