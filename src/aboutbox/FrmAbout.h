#pragma once

// The about box: program name and version, what it does, and two links to
// the maker's site. Built fresh for every opening and run modally through
// the desktop; its links open pages and leave it open.

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}
namespace platform {
class Desktop;
}

namespace aboutbox {

class FrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAbout(platform::Desktop &desktop, QWidget *parent = nullptr);
    ~FrmAbout() override;

private:
    std::unique_ptr<Ui::frmAbout> m_ui;
};

// A fresh about box, run modally through the desktop without owner and
// destroyed when it closes.
void openAboutBox(platform::Desktop &desktop);

} // namespace aboutbox
