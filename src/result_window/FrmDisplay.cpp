#include "result_window/FrmDisplay.h"

#include "ui_FrmDisplay.h"

#include "links/SiteLinks.h"
#include "result_window/ClipboardGuard.h"
#include "test_window/Appearance.h"
#include "test_window/Banners.h"
#include "test_window/Guarded.h"
#include "test_window/WindowKeys.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

using namespace test_window;
using links::kDarkBrown;
using links::kKhaki;
using links::kLightYellow;

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
    , ui(std::make_unique<Ui::frmDisplay>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    paint(ui->centralwidget, Qt::white, Qt::black);
    for (QWidget *strip : {ui->Frame2, ui->Frame5})
        paint(strip, kKhaki, Qt::black);
    for (QWidget *frame : {ui->fraSiblingResult, ui->Frame3, ui->Frame1})
        paint(frame, kDarkBrown, kLightYellow);
    for (QWidget *heading : {ui->Label2, ui->s, ui->Label9, ui->Label3, ui->Label5})
        paintText(heading, kLightYellow);
    for (QWidget *value : {ui->lblSiblingCompatibility, ui->lblCompatibilityResult, ui->lblYourSunSign,
                           ui->lblYourSiblingSunSign})
        paintText(value, kCyan);
    for (QWidget *button : {ui->cmdExit, ui->cmdBack})
        paint(button, kKhaki, Qt::black);
    for (QLabel *heading : {ui->Label2, ui->s, ui->Label9, ui->Label3, ui->Label5})
        fitCentred(heading, heading->text());
    dressBanners(ui->Label61, ui->lblCobrand, ui->lblFullBrand);

    for (QPlainTextEdit *box : {ui->txtYourProfile, ui->txtYourSiblingProfile}) {
        paint(box, QColor(0x40, 0x40, 0x40), kCyan);
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        new result_window::ClipboardGuard(box, desktop);
    }

    new WindowKeys(this, ui->cmdExit);
    ui->cmdBack->setFocus();

    connect(ui->cmdBack, &QPushButton::clicked, this, &FrmDisplay::back);
    connect(ui->mnuFileBack, &QAction::triggered, this, &FrmDisplay::back);
    connect(ui->cmdExit, &QPushButton::clicked, this, &FrmDisplay::close);
    connect(ui->mnuExit, &QAction::triggered, ui->cmdExit, &QPushButton::click);
    for (QAction *separator : {ui->mnuFileSep1, ui->mnuFileSep2})
        separator->setSeparator(true);
    links::attachSiteLinks(this, desktop);
}

FrmDisplay::~FrmDisplay() = default;

void FrmDisplay::fill(const result_window::ResultValues &values)
{
    guarded([&] { fitCentred(ui->lblYourSunSign, values.yourSunSign); });
    guarded([&] {
        if (values.yourProfile)
            ui->txtYourProfile->setPlainText(*values.yourProfile);
    });
    guarded([&] { fitCentred(ui->lblYourSiblingSunSign, values.yourSiblingSunSign); });
    guarded([&] {
        if (values.yourSiblingProfile)
            ui->txtYourSiblingProfile->setPlainText(*values.yourSiblingProfile);
    });
    guarded([&] { ui->lblCompatibilityResult->setText(values.pairSentence); });
    guarded([&] { fitCentred(ui->lblSiblingCompatibility, values.levelSentence); });
}

void FrmDisplay::back()
{
    guarded([&] {
        m_leavingByBack = true;
        close();
    });
    guarded([&] { emit backRequested(); });
}

void FrmDisplay::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_leavingByBack)
        emit closedByUser();
}

void FrmDisplay::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        centreOnScreen();
    }
}

void FrmDisplay::centreOnScreen()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
