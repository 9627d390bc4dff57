#pragma once

// The main window: the user's name, both dates of birth and the test button.
// It fills its lists once when built, filters what is typed into the name
// box, checks the inputs and runs the test, which hides this window and
// shows the one result window in its place.

#include "core/PairTable.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace Ui {
class frmMain;
}

namespace platform {
class Desktop;
}

class FrmDisplay;
class QKeyEvent;

class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmMain(platform::Desktop &desktop, QWidget *parent = nullptr);
    ~FrmMain() override;

    FrmDisplay *resultWindow() const;
    // The test run of the button and of the File menu item.
    void runTest();
    // True when all inputs pass; otherwise the user has been told why.
    bool ValidateInputs();
    // The four texts shared with the pair lookup, kept for the window's life.
    const core::RelationCompatibility &relationCompatibility() const;

signals:
    void closedByUser();
    void resultWindowCreated(FrmDisplay *window);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists();
    bool takeNameKey(const QKeyEvent &event);
    FrmDisplay *createResultWindow();
    void returnFromResult();

    std::unique_ptr<Ui::frmMain> ui;
    platform::Desktop &m_desktop;
    core::RelationCompatibility m_shared;
    QPointer<FrmDisplay> m_result;
};
