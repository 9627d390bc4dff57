#include "resultwindow/FrmDisplay.h"

#include "ui_FrmDisplay.h"

#include "resultwindow/ClipboardGuard.h"
#include "windowkit/Banners.h"
#include "windowkit/Centre.h"
#include "windowkit/Links.h"
#include "windowkit/Look.h"
#include "windowkit/WindowKeys.h"

#include <QCloseEvent>
#include <QLayout>

namespace resultwindow {

using namespace windowkit;

namespace {

// A label sized to its text keeps the top of its design place and stays
// centred in its frame, whatever text it is given.
void fitCentred(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
    const QWidget *frame = label->parentWidget();
    label->move((frame->width() - label->width()) / 2, label->y());
}

} // namespace

FrmDisplay::FrmDisplay(platform::Desktop &desktop, QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmDisplay>())
{
    m_ui->setupUi(this);
    setWindowTitle(programCaption());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setColours(m_ui->centralwidget, Qt::white, Qt::black);
    for (QWidget *strip : {m_ui->Frame2, m_ui->Frame5})
        setColours(strip, kKhaki, Qt::black);
    for (QWidget *frame : {m_ui->fraSiblingResult, m_ui->Frame3, m_ui->Frame1})
        setColours(frame, kDarkBrown, kLightYellow);
    for (QWidget *heading : {m_ui->Label2, m_ui->s, m_ui->Label9, m_ui->Label3, m_ui->Label5})
        setSeeThroughText(heading, kLightYellow);
    for (QWidget *value : {m_ui->lblSiblingCompatibility, m_ui->lblCompatibilityResult, m_ui->lblYourSunSign,
                           m_ui->lblYourSiblingSunSign})
        setSeeThroughText(value, kCyan);
    for (QWidget *button : {m_ui->cmdExit, m_ui->cmdBack})
        setColours(button, kKhaki, Qt::black);
    for (QLabel *heading : {m_ui->Label2, m_ui->s, m_ui->Label9, m_ui->Label3, m_ui->Label5})
        fitCentred(heading, heading->text());
    setUpBanners(m_ui->Label61, m_ui->lblCobrand, m_ui->lblFullBrand, desktop);

    for (QPlainTextEdit *box : {m_ui->txtYourProfile, m_ui->txtYourSiblingProfile}) {
        setColours(box, kProfileGrey, kCyan);
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        new ClipboardGuard(box, desktop);
    }

    new WindowKeys(this, m_ui->cmdExit);
    m_ui->cmdBack->setFocus();
    centreWhenFirstShown(this);

    connect(m_ui->cmdBack, &QPushButton::clicked, this, &FrmDisplay::back);
    connect(m_ui->mnuFileBack, &QAction::triggered, this, &FrmDisplay::back);
    connect(m_ui->cmdExit, &QPushButton::clicked, this, &FrmDisplay::close);
    connect(m_ui->mnuExit, &QAction::triggered, m_ui->cmdExit, &QPushButton::click);
    for (QAction *separator : {m_ui->mnuFileSep1, m_ui->mnuFileSep2})
        separator->setSeparator(true);
    connect(m_ui->mnuAbout, &QAction::triggered, this, &FrmDisplay::aboutRequested);
    connectSiteMenu({m_ui->mnuOnline, m_ui->mnuVisit, m_ui->mnuUpdate, m_ui->mnuDonate, m_ui->mnuMakeMoneyOnline},
                    desktop);
}

FrmDisplay::~FrmDisplay() = default;

void FrmDisplay::fill(const ResultValues &values)
{
    fitCentred(m_ui->lblYourSunSign, values.yourSunSign);
    if (values.yourProfile)
        m_ui->txtYourProfile->setPlainText(*values.yourProfile);
    fitCentred(m_ui->lblYourSiblingSunSign, values.yourSiblingSunSign);
    if (values.yourSiblingProfile)
        m_ui->txtYourSiblingProfile->setPlainText(*values.yourSiblingProfile);
    m_ui->lblCompatibilityResult->setText(values.pairSentence);
    fitCentred(m_ui->lblSiblingCompatibility, values.levelSentence);
}

void FrmDisplay::back()
{
    m_leavingByBack = true;
    close();
    emit backRequested();
}

void FrmDisplay::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_leavingByBack)
        emit closedByUser();
}

} // namespace resultwindow
