#pragma once

// The program's windows from the first showing of the main window to the
// end. The shell is the one owner of every window: it creates, shows,
// discards and tracks the main window, the result window and the exit
// screen, opens the about box when a window asks for it, turns every closing
// command of the main and result windows into the one exit screen, and runs
// the one shutdown, EndProgram, when the exit screen is closed or start-up
// refuses a second copy.

#include "windowkit/ResultValues.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

namespace platform {
class Desktop;
}
namespace mainwindow {
class FrmMain;
}
namespace resultwindow {
class FrmDisplay;
}
namespace exitscreen {
class FrmNagScreen2;
}

namespace app {

class Shell : public QObject
{
    Q_OBJECT

public:
    explicit Shell(platform::Desktop &desktop);
    ~Shell() override;

    // Creates the main window on the first call and shows it, modeless and
    // without owner; nullptr once the program is ending.
    mainwindow::FrmMain *showMainWindow();

    // The one closing path: the exit screen, created on first showing, is
    // shown modeless and on top of all windows.
    void showExitScreen();
    // Closes every loaded window in creation order, once; a window closed on
    // the way starts nothing. Then ends the event loop with exit code 0.
    void EndProgram();

private:
    // The end of a test run: the values written into the result window
    // (created on first need), the main window hidden, the result shown.
    void showResult(const windowkit::ResultValues &values);
    // Back: the result window is discarded before the main window returns.
    void returnFromResult(resultwindow::FrmDisplay *result);
    void openAboutBox();
    // The loaded window of this type, if any.
    template <typename Window>
    Window *loaded() const;
    void load(QWidget *window);
    // Forgets the window: a later need creates a new one, even before this
    // one is deleted.
    void discard(QWidget *window);
    void closedByUser(QWidget *window);

    platform::Desktop &m_desktop;
    // The windows created and not yet closed, oldest first.
    std::vector<QPointer<QWidget>> m_loaded;
    bool m_ending = false;
};

} // namespace app
