#include "app/Shell.h"

#include "aboutbox/FrmAbout.h"
#include "exitscreen/FrmNagScreen2.h"
#include "mainwindow/FrmMain.h"
#include "resultwindow/FrmDisplay.h"

#include <QCoreApplication>

#include <algorithm>

namespace app {

using exitscreen::FrmNagScreen2;
using mainwindow::FrmMain;
using resultwindow::FrmDisplay;

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
        connect(main, &FrmMain::resultReady, this, &Shell::showResult);
        connect(main, &FrmMain::aboutRequested, this, &Shell::openAboutBox);
    }
    m_main->show();
    return m_main;
}

void Shell::showResult(const windowkit::ResultValues &values)
{
    if (!m_result) {
        auto *result = new FrmDisplay(m_desktop);
        m_result = result;
        load(result);
        connect(result, &FrmDisplay::closedByUser, this, [this, result] {
            // Closed for good: the next run needs a new window even before
            // this one is deleted.
            m_result = nullptr;
            closedByUser(result);
        });
        connect(result, &FrmDisplay::backRequested, this, [this, result] { returnFromResult(result); });
        connect(result, &FrmDisplay::aboutRequested, this, &Shell::openAboutBox);
    }
    m_result->fill(values);
    if (m_main)
        m_main->hide();
    m_result->show();
}

void Shell::returnFromResult(FrmDisplay *result)
{
    m_result = nullptr;
    discard(result);
    if (m_main) {
        m_main->show();
        m_main->activateWindow();
    }
}

void Shell::openAboutBox()
{
    aboutbox::openAboutBox(m_desktop);
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
