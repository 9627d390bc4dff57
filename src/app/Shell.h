#pragma once

// The program's windows from the first showing of the main window to the
// end. The shell keeps the loaded windows in creation order, turns every
// closing command of the main and result windows into the one exit screen,
// and runs the one shutdown, EndProgram, when the exit screen is closed or
// start-up refuses a second copy.

#include <QObject>
#include <QPointer>

#include <vector>

class FrmMain;
class QWidget;

namespace platform {
class Desktop;
}

namespace app {

class FrmNagScreen2;

class Shell : public QObject
{
    Q_OBJECT

public:
    explicit Shell(platform::Desktop &desktop);
    ~Shell() override;

    // Creates the main window on the first call and shows it, modeless and
    // without owner; nullptr once the program is ending.
    FrmMain *showMainWindow();
    FrmMain *mainWindow() const;
    FrmNagScreen2 *exitScreen() const;

    // The one closing path: the exit screen, created on first showing, is
    // shown modeless and on top of all windows.
    void showExitScreen();
    // Closes every loaded window in creation order, once; a window closed on
    // the way starts nothing. Then ends the event loop with exit code 0.
    void EndProgram();
    bool isEnding() const { return m_ending; }

    // The windows created and not yet closed, oldest first.
    std::vector<QWidget *> loadedWindows() const;

private:
    void load(QWidget *window);
    void discard(QWidget *window);
    void closedByUser(QWidget *window);

    platform::Desktop &m_desktop;
    QPointer<FrmMain> m_main;
    QPointer<FrmNagScreen2> m_exitScreen;
    std::vector<QPointer<QWidget>> m_loaded;
    bool m_ending = false;
};

} // namespace app
