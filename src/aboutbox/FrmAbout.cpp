#include "aboutbox/FrmAbout.h"

#include "ui_FrmAbout.h"

#include "platform/Desktop.h"
#include "windowkit/Centre.h"
#include "windowkit/Links.h"
#include "windowkit/Look.h"
#include "windowkit/Pictures.h"
#include "windowkit/Site.h"

namespace aboutbox {

using namespace windowkit;

FrmAbout::FrmAbout(platform::Desktop &desktop, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(423, 264);
    setWindowTitle(programCaption());
    m_ui->Label2->setText(programCaption());
    showProgramPicture(m_ui->picIcon);

    m_ui->Label1->setText(QStringLiteral(
        "Quenlory is an easy to understand software that describes the compatibility between "
        "you and your siblings. It helps you understand your relationship better and work on "
        "its weak areas together."));
    m_ui->lblHomePage->setText(QStringLiteral("Click here to visit ") + siteDisplayAddress());

    setBackground(this, kDarkBrown);
    setBackground(m_ui->cmdOK, kKhaki);
    setBackground(m_ui->Line2, Qt::white);
    m_ui->cmdOK->setFont(programFont(8.25));
    m_ui->Label2->setFont(programFont(9.75));
    m_ui->Label1->setFont(programFont(8.25, Weight::Regular));
    m_ui->Label6->setFont(programFont(8.25));
    for (QLabel *link : {m_ui->lblHomePage, m_ui->Label5}) {
        link->setFont(programFont(8.25, Weight::Bold, Underline::Yes));
        setTextColour(link, Qt::white);
    }
    setTextColour(m_ui->Label2, Qt::white);
    setTextColour(m_ui->Label1, kLightYellow);
    setTextColour(m_ui->Label6, kLightYellow);
    setTextColour(m_ui->cmdOK, Qt::black);

    // OK is both the default and the cancel button: Escape lands on reject(),
    // which closes the box just as OK does.
    m_ui->cmdOK->setAutoDefault(true);
    m_ui->cmdOK->setFocus();
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    makePageLink(m_ui->lblHomePage, desktop, kHomePage);
    makePageLink(m_ui->Label5, desktop, kFullyBrandedPage);
    centreWhenFirstShown(this);
}

FrmAbout::~FrmAbout() = default;

void openAboutBox(platform::Desktop &desktop)
{
    FrmAbout about(desktop);
    desktop.execModal(about);
}

} // namespace aboutbox
