#pragma once

// The main window: the user's name, both dates of birth and the test button.
// It fills its lists once when built, filters what is typed into the name
// box, checks the inputs and runs the test, whose values it hands on through
// resultReady; the shell then shows them in the result window.

#include "core/PairTable.h"
#include "windowkit/Banners.h"
#include "windowkit/ResultValues.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmMain;
}

namespace platform {
class Desktop;
}

class QInputMethodEvent;
class QKeyEvent;

namespace mainwindow {

class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmMain(platform::Desktop &desktop, QWidget *parent = nullptr);
    ~FrmMain() override;

    // The test run of the button and of the File menu item.
    void runTest();
    // True when all inputs pass; otherwise the user has been told why.
    bool ValidateInputs();
    void bringBannerToFront(windowkit::BottomBanner which);

signals:
    void closedByUser();
    void resultReady(const windowkit::ResultValues &values);
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists();
    bool takeNameKey(const QKeyEvent &event);
    bool takeCommittedText(const QInputMethodEvent &event);

    std::unique_ptr<Ui::frmMain> m_ui;
    platform::Desktop &m_desktop;
    // The four texts shared with the pair lookup, kept for the window's life.
    core::RelationCompatibility m_shared;
};

} // namespace mainwindow
