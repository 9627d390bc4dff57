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

template <typename Window>
Window *Shell::loaded() const
{
    for (const QPointer<QWidget> &window : m_loaded) {
        if (auto *typed = qobject_cast<Window *>(window.data()))
            return typed;
    }
    return nullptr;
}

FrmMain *Shell::showMainWindow()
{
    if (m_ending)
        return nullptr;
    FrmMain *main = loaded<FrmMain>();
    if (!main) {
        main = new FrmMain(m_desktop);
        load(main);
        connect(main, &FrmMain::closedByUser, this, [this, main] { closedByUser(main); });
        connect(main, &FrmMain::resultReady, this, &Shell::showResult);
        connect(main, &FrmMain::aboutRequested, this, &Shell::openAboutBox);
    }
    main->show();
    return main;
}

void Shell::showResult(const windowkit::ResultValues &values)
{
    FrmDisplay *result = loaded<FrmDisplay>();
    if (!result) {
        result = new FrmDisplay(m_desktop);
        load(result);
        connect(result, &FrmDisplay::closedByUser, this, [this, result] { closedByUser(result); });
        connect(result, &FrmDisplay::backRequested, this, [this, result] { returnFromResult(result); });
        connect(result, &FrmDisplay::aboutRequested, this, &Shell::openAboutBox);
    }
    result->fill(values);
    if (FrmMain *main = loaded<FrmMain>())
        main->hide();
    result->show();
}

void Shell::returnFromResult(FrmDisplay *result)
{
    discard(result);
    if (FrmMain *main = loaded<FrmMain>()) {
        main->show();
        main->activateWindow();
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
    FrmNagScreen2 *exitScreen = loaded<FrmNagScreen2>();
    if (!exitScreen) {
        exitScreen = new FrmNagScreen2(m_desktop);
        load(exitScreen);
        connect(exitScreen, &FrmNagScreen2::closedByUser, this, &Shell::EndProgram);
    }
    exitScreen->show();
    exitScreen->raise();
    exitScreen->activateWindow();
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
