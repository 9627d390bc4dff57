#include "app/Shell.h"

#include "app/FrmNagScreen2.h"
#include "result_window/FrmDisplay.h"
#include "test_window/FrmMain.h"

#include <QCoreApplication>

#include <algorithm>

namespace app {

Shell::Shell(platform::Desktop &desktop)
    : m_desktop(desktop)
{
}

Shell::~Shell()
{
    // Windows have no owner, so whatever is still loaded goes with the shell.
    for (const QPointer<QWidget> &window : m_loaded)
        delete window.data();
}

FrmMain *Shell::showMainWindow()
{
    if (m_ending)
        return nullptr;
    if (!m_main) {
        m_main = new FrmMain(m_desktop);
        load(m_main);
        FrmMain *main = m_main;
        connect(main, &FrmMain::closedByUser, this, [this, main] { closedByUser(main); });
        connect(main, &FrmMain::resultWindowCreated, this, [this](FrmDisplay *result) {
            load(result);
            connect(result, &FrmDisplay::closedByUser, this, [this, result] { closedByUser(result); });
            connect(result, &FrmDisplay::backRequested, this, [this, result] { discard(result); });
        });
    }
    m_main->show();
    return m_main;
}

FrmMain *Shell::mainWindow() const
{
    return m_main;
}

FrmNagScreen2 *Shell::exitScreen() const
{
    return m_exitScreen;
}

void Shell::showExitScreen()
{
    if (m_ending)
        return;
    if (!m_exitScreen) {
        m_exitScreen = new FrmNagScreen2(m_desktop);
        load(m_exitScreen);
        connect(m_exitScreen, &FrmNagScreen2::closedByUser, this, &Shell::EndProgram);
    }
    m_exitScreen->show();
    m_exitScreen->raise();
    m_exitScreen->activateWindow();
}

void Shell::EndProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    const std::vector<QPointer<QWidget>> windows = m_loaded;
    for (const QPointer<QWidget> &window : windows) {
        try {
            if (window)
                window->close();
        } catch (...) {
            // A window's closing step that fails must not keep the others open.
        }
    }
    // Does nothing before the event loop runs: start-up then simply returns.
    QCoreApplication::exit(0);
}

std::vector<QWidget *> Shell::loadedWindows() const
{
    std::vector<QWidget *> windows;
    for (const QPointer<QWidget> &window : m_loaded) {
        if (window)
            windows.push_back(window);
    }
    return windows;
}

void Shell::load(QWidget *window)
{
    m_loaded.emplace_back(window);
}

void Shell::discard(QWidget *window)
{
    const auto gone = [window](const QPointer<QWidget> &loaded) {
        return loaded.isNull() || loaded == window;
    };
    m_loaded.erase(std::remove_if(m_loaded.begin(), m_loaded.end(), gone), m_loaded.end());
}

void Shell::closedByUser(QWidget *window)
{
    if (m_ending)
        return;
    discard(window);
    showExitScreen();
}

} // namespace app
