#pragma once

// Checks that the main and result window tests make in the same way: where a
// control sits, and what a menu item is. Each takes its row's values from
// QtTest's data columns set up by the matching *Columns() call.

#include "Controls.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// Rows: control name, its container's name, its rectangle in pixels.
inline void addPlacementColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
}

inline void addPlacement(const char *name, const char *container, int x, int y, int w, int h)
{
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container) << QRect(x, y, w, h);
}

inline void checkPlacement(const QWidget *window)
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    const auto *widget = findControl<QWidget>(window, name.toLatin1().constData());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), rect);
}

// Rows: item name, the menu holding it (empty: the menu bar itself), its
// caption, whether it is a separator and whether it is shown.
inline void addMenuItemColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<bool>("visible");
}

inline void checkMenuItem(QMainWindow *window)
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, text);
    QFETCH(bool, separator);
    QFETCH(bool, visible);
    auto *action = findControl<QAction>(window, name.toLatin1().constData());
    const QList<QAction *> holder = menu.isEmpty()
        ? window->menuBar()->actions()
        : findControl<QMenu>(window, menu.toLatin1().constData())->actions();
    QVERIFY(holder.contains(action));
    QCOMPARE(action->text(), text);
    QCOMPARE(action->isSeparator(), separator);
    QCOMPARE(action->isVisible(), visible);
    // A plain command: no submenu, no shortcut, no tick.
    QVERIFY(!action->menu());
    QVERIFY(action->shortcut().isEmpty());
    QVERIFY(!action->isCheckable());
}

// Shows the window and waits until it is the active one.
inline void showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}
