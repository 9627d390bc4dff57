#include "mainwindow/FrmMain.h"

#include "ui_FrmMain.h"

#include "mainwindow/InputRules.h"
#include "mainwindow/TestRun.h"
#include "platform/Desktop.h"
#include "windowkit/EntryList.h"
#include "windowkit/Links.h"
#include "windowkit/Look.h"
#include "windowkit/WindowKeys.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLayout>

namespace mainwindow {

using namespace windowkit;

FrmMain::FrmMain(platform::Desktop &desktop, QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMain>())
    , m_desktop(desktop)
{
    // The central area carries the typeface from the moment it exists
    // (windowkit::TypefacePanel), so no control takes it after being built.
    m_ui->setupUi(this);
    setWindowTitle(programCaption());
    setAttribute(Qt::WA_DeleteOnClose);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setColours(m_ui->centralwidget, kDarkBrown, Qt::black);
    setColours(m_ui->fraSiblingCompatibility, kDarkBrown, kLightYellow);
    setSeeThroughText(m_ui->Label4, kCyan);
    for (QWidget *khaki : {m_ui->Frame1, m_ui->Frame3, m_ui->Frame2, m_ui->Frame5})
        setColours(khaki, kKhaki, Qt::black);
    for (QWidget *button : {m_ui->cmdCompatibilityWithSibling, m_ui->cmdExit})
        setColours(button, kKhaki, Qt::black);
    setColours(m_ui->txtName, kDarkBrown, kLightYellow);
    for (QComboBox *list : {m_ui->cboDate, m_ui->cboMonth, m_ui->cboYear, m_ui->cboSiblingDate,
                            m_ui->cboSiblingMonth, m_ui->cboSiblingYear})
        setListColours(list, kDarkBrown, kLightYellow);
    setUpBanners(m_ui->Label61, m_ui->lblCobrand, m_ui->lblFullBrand, desktop);
    for (QAction *separator : {m_ui->mnuHelp1, m_ui->mnuHelp2})
        separator->setSeparator(true);

    fillLists();

    m_ui->txtName->installEventFilter(this);
    new WindowKeys(this, m_ui->cmdExit);
    m_ui->txtName->setFocus();

    connect(m_ui->cmdCompatibilityWithSibling, &QPushButton::clicked, this, &FrmMain::runTest);
    connect(m_ui->mnuGetMyCompatibilityWithSibling, &QAction::triggered, this, &FrmMain::runTest);
    connect(m_ui->cmdExit, &QPushButton::clicked, this, &FrmMain::close);
    connect(m_ui->mnuExit, &QAction::triggered, this, &FrmMain::close);
    connect(m_ui->mnuAbout, &QAction::triggered, this, &FrmMain::aboutRequested);
    connectSiteMenu({m_ui->mnuOnline, m_ui->mnuVisit, m_ui->mnuUpdate, m_ui->mnuDonate, m_ui->mnuMakeMoneyOnline},
                    desktop);
}

FrmMain::~FrmMain() = default;

void FrmMain::bringBannerToFront(BottomBanner which)
{
    windowkit::bringBannerToFront(m_ui->lblCobrand, m_ui->lblFullBrand, which);
}

void FrmMain::fillLists()
{
    // The first entry of each list is its current one; the entries go into
    // a list when it is first used, and before the inputs are read.
    const auto fillDate = [](EntryList *day, EntryList *month, EntryList *year) {
        day->setEntries(dayEntries());
        month->setEntries(monthEntries());
        year->setEntries(yearEntries());
    };
    fillDate(m_ui->cboDate, m_ui->cboMonth, m_ui->cboYear);
    fillDate(m_ui->cboSiblingDate, m_ui->cboSiblingMonth, m_ui->cboSiblingYear);
}

bool FrmMain::ValidateInputs()
{
    for (EntryList *list : {m_ui->cboDate, m_ui->cboMonth, m_ui->cboYear, m_ui->cboSiblingDate,
                            m_ui->cboSiblingMonth, m_ui->cboSiblingYear})
        list->takeEntries();
    const std::optional<QString> failure = inputCheckFailure(
        {m_ui->txtName->text(), m_ui->cboDate->currentIndex(), m_ui->cboMonth->currentIndex(),
         m_ui->cboSiblingDate->currentIndex(), m_ui->cboSiblingMonth->currentIndex()});
    if (!failure)
        return true;
    m_desktop.message(*failure, platform::Icon::Information);
    // The name is checked first, so an empty name is what failed.
    if (m_ui->txtName->text().isEmpty())
        m_ui->txtName->setFocus();
    return false;
}

void FrmMain::runTest()
{
    if (!ValidateInputs())
        return;
    emit resultReady(workOutResult(m_shared, m_ui->cboMonth->currentIndex(), m_ui->cboDate->currentIndex(),
                                   m_ui->cboSiblingMonth->currentIndex(), m_ui->cboSiblingDate->currentIndex()));
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedByUser();
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->txtName && event->type() == QEvent::KeyPress)
        return takeNameKey(*static_cast<QKeyEvent *>(event));
    if (watched == m_ui->txtName && event->type() == QEvent::InputMethod)
        return takeCommittedText(*static_cast<QInputMethodEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Returns true when the key press is used up here and must not reach the box.
bool FrmMain::takeNameKey(const QKeyEvent &event)
{
    const std::optional<int> typed = typedCharacterCode(event.key(), event.modifiers(), event.text());
    if (!typed) {
        // X11 hands over an Alt combination with the key's text, which the
        // box would insert past the filter: it is dropped here. Access keys
        // of the menus and buttons have been handled before the box sees
        // the key.
        return isAltCombination(event.modifiers()) && !event.text().isEmpty();
    }
    const int accepted = filterNameKey(*typed);
    if (accepted == 0) {
        m_desktop.message(kOnlyLettersMessage, platform::Icon::Information);
        return true;
    }
    if (accepted == *typed)
        return false;
    m_ui->txtName->insert(QString(QChar(accepted)));
    return true;
}

// An input method or a compose sequence hands its text over in one piece,
// past the key filter: the same rule applies to the whole of it. Returns
// true when the event is replaced by one carrying the accepted text.
bool FrmMain::takeCommittedText(const QInputMethodEvent &event)
{
    const QString committed = event.commitString();
    if (committed.isEmpty())
        return false;
    const std::optional<QString> accepted = filterCommittedText(committed);
    if (accepted == committed)
        return false;
    if (!accepted)
        m_desktop.message(kOnlyLettersMessage, platform::Icon::Information);
    // The composition still ends, with the capitals or with nothing.
    QInputMethodEvent replaced(event.preeditString(), event.attributes());
    replaced.setCommitString(accepted.value_or(QString()), event.replacementStart(), event.replacementLength());
    QCoreApplication::sendEvent(m_ui->txtName, &replaced);
    return true;
}

} // namespace mainwindow
