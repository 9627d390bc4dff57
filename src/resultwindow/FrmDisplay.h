#pragma once

// The result window: both sun signs, each sign's child profile, the pair
// sentence and the level sentence, as a test run wrote them. Back returns to
// the main window; every other way of closing it is the user ending the
// program.

#include "windowkit/ResultValues.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmDisplay;
}

namespace platform {
class Desktop;
}

namespace resultwindow {

class FrmDisplay : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmDisplay(platform::Desktop &desktop, QWidget *parent = nullptr);
    ~FrmDisplay() override;

    // Writes the six value controls.
    void fill(const windowkit::ResultValues &values);
    // Discards this window without the closing path, then asks for the main
    // window back.
    void back();

signals:
    void closedByUser();
    void backRequested();
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::frmDisplay> m_ui;
    bool m_leavingByBack = false;
};

} // namespace resultwindow
