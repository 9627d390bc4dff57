#pragma once

#include <QAccessible>
#include <QComboBox>
#include <QStringList>

namespace windowkit {

// A drop-down list that takes its entries in when it is first used. From
// Qt 6.8 on a QComboBox builds its popup (a window with a list view) as soon
// as it has a current entry, about a millisecond for each of the main
// window's six lists at start-up. Until it is used the list draws its first
// entry itself, exactly as the filled list draws it. Used means: pressed,
// clicked, scrolled, typed into, given the focus or opened, or read by
// assistive technology (the entries go in as soon as one is active); code
// that reads the list calls takeEntries() first.
class EntryList : public QComboBox, private QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    explicit EntryList(QWidget *parent = nullptr);
    ~EntryList() override;

    // Replaces the entries; the first one is the current one.
    void setEntries(const QStringList &entries);
    // Puts the entries in now; nothing when they are in already.
    void takeEntries();
    bool entriesTaken() const { return m_waiting.isEmpty(); }

    void showPopup() override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void accessibilityActiveChanged(bool active) override;

    QStringList m_waiting;
};

} // namespace windowkit
