#pragma once

// The shared fixture of the window tests: one window built fresh for each
// test, the program's windows found as top-level widgets, the cleanup that
// leaves none behind, and a shell with a fake desktop that runs the test the
// way the program does.

#include "Build.h"
#include "Controls.h"
#include "FakeDesktop.h"

#include "app/Shell.h"
#include "mainwindow/FrmMain.h"
#include "windowkit/Look.h"
#include "resultwindow/FrmDisplay.h"

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QTest>

using mainwindow::FrmMain;
using resultwindow::FrmDisplay;

// Shows the window and waits until it is the active one.
inline void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The top-level windows of this type that still exist (those closed are
// gone once their deferred deletion has run).
template <typename Window>
QList<Window *> topLevelWindows()
{
    QList<Window *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget))
            windows << window;
    }
    return windows;
}

// The one window of this type, or nullptr when there is none.
template <typename Window>
Window *topLevelWindow()
{
    const QList<Window *> windows = topLevelWindows<Window>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

// Deletes every window a test left behind, with or without owner.
inline void deleteTopLevelWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->parentWidget())
            windows << widget;
    }
    for (const QPointer<QWidget> &widget : windows)
        delete widget.data();
}

// One window of this type on its own fake desktop, for a test class that
// derives from it and calls these from its initTestCase, init and cleanup.
template <typename Window>
class WindowFixture
{
protected:
    static void prepareFonts() { windowkit::installFontSubstitutes(); }

    void buildWindow()
    {
        m_desktop = FakeDesktop();
        m_window = new Window(m_desktop);
    }

    void discardWindows()
    {
        delete m_window;
        deleteTopLevelWindows();
    }

    template <typename T>
    T *control(const char *name) const
    {
        return findControl<T>(m_window, name);
    }
    void showActive() { ::showActive(m_window); }

    FakeDesktop m_desktop;
    QPointer<Window> m_window;
};

// The program's windows as the shell runs them, on a fake desktop.
struct ShellRun
{
    FakeDesktop desktop;
    app::Shell shell{desktop};
    QPointer<FrmMain> main;

    bool start()
    {
        main = shell.showMainWindow();
        if (!main)
            return false;
        main->activateWindow();
        return QTest::qWaitForWindowActive(main);
    }

    // The result window the last run showed, if any.
    static FrmDisplay *resultWindow()
    {
        for (FrmDisplay *window : topLevelWindows<FrmDisplay>()) {
            if (window->isVisible())
                return window;
        }
        return nullptr;
    }

    // A test run with a typed name and the lists at their first entries.
    FrmDisplay *runTest()
    {
        QTest::keyClicks(main->findChild<QLineEdit *>(QStringLiteral("txtName")), QStringLiteral("ann"));
        main->runTest();
        FrmDisplay *result = resultWindow();
        if (result) {
            result->activateWindow();
            if (!QTest::qWaitForWindowActive(result))
                return nullptr;
        }
        return result;
    }
};
