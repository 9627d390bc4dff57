#pragma once

// The exit screen: the last window, shown modeless and on top of everything
// once the main window or the result window has been closed. It asks for the
// forum's support, links to the maker's other programs, and carries the
// refer-a-friend form. Closing it (Exit or the close box) emits closedByUser,
// which the shell turns into the end of the program.

#include "exitscreen/Referral.h"

#include <QWidget>

#include <memory>

namespace Ui {
class frmNagScreen2;
}
namespace platform {
class Desktop;
}

namespace exitscreen {

class FrmNagScreen2 : public QWidget
{
    Q_OBJECT

public:
    explicit FrmNagScreen2(platform::Desktop &desktop, QWidget *parent = nullptr);
    ~FrmNagScreen2() override;

    // The promotional text number n (0 to 3) of Label2.
    static QString promotionalText(int n);

signals:
    void closedByUser();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyLook();
    void submit();
    void checkClicked(bool checked);
    QString boxText(QObject *box) const;
    void setBoxText(QObject *box, const QString &text);

    platform::Desktop &m_desktop;
    std::unique_ptr<Ui::frmNagScreen2> m_ui;
};

} // namespace exitscreen
