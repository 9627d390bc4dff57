#include "test_window/FrmMain.h"

#include "ui_FrmMain.h"

#include "links/SiteLinks.h"
#include "platform/Desktop.h"
#include "result_window/FrmDisplay.h"
#include "test_window/Appearance.h"
#include "test_window/Banners.h"
#include "test_window/Guarded.h"
#include "test_window/InputRules.h"
#include "test_window/TestRun.h"
#include "test_window/WindowKeys.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>

using namespace test_window;
using links::kDarkBrown;
using links::kKhaki;
using links::kLightYellow;

FrmMain::FrmMain(platform::Desktop &desktop, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::frmMain>())
    , m_desktop(desktop)
{
    // The central area carries the typeface from the moment it exists
    // (links::VerdanaPanel), so no control takes it after being built.
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    paint(ui->centralwidget, kDarkBrown, Qt::black);
    paint(ui->fraSiblingCompatibility, kDarkBrown, kLightYellow);
    paintText(ui->Label4, kCyan);
    for (QWidget *khaki : {ui->Frame1, ui->Frame3, ui->Frame2, ui->Frame5})
        paint(khaki, kKhaki, Qt::black);
    for (QWidget *button : {ui->cmdCompatibilityWithSibling, ui->cmdExit})
        paint(button, kKhaki, Qt::black);
    for (QWidget *input : std::initializer_list<QWidget *>{ui->txtName, ui->cboDate, ui->cboMonth, ui->cboYear,
                                                           ui->cboSiblingDate, ui->cboSiblingMonth,
                                                           ui->cboSiblingYear})
        paint(input, kDarkBrown, kLightYellow);
    dressBanners(ui->Label61, ui->lblCobrand, ui->lblFullBrand);
    for (QAction *separator : {ui->mnuHelp1, ui->mnuHelp2})
        separator->setSeparator(true);

    fillLists();

    ui->txtName->installEventFilter(this);
    new WindowKeys(this, ui->cmdExit);
    ui->txtName->setFocus();

    connect(ui->cmdCompatibilityWithSibling, &QPushButton::clicked, this, &FrmMain::runTest);
    connect(ui->mnuGetMyCompatibilityWithSibling, &QAction::triggered, this, &FrmMain::runTest);
    connect(ui->cmdExit, &QPushButton::clicked, this, &FrmMain::close);
    connect(ui->mnuExit, &QAction::triggered, this, &FrmMain::close);
    links::attachSiteLinks(this, desktop);
}

FrmMain::~FrmMain() = default;

FrmDisplay *FrmMain::resultWindow() const
{
    return m_result;
}

const core::RelationCompatibility &FrmMain::relationCompatibility() const
{
    return m_shared;
}

void FrmMain::fillLists()
{
    const auto fillDate = [](QComboBox *day, QComboBox *month, QComboBox *year) {
        guarded([&] { day->addItems(dayEntries()); });
        guarded([&] { month->addItems(monthEntries()); });
        guarded([&] { year->addItems(yearEntries()); });
        for (QComboBox *list : {day, month, year})
            list->setCurrentIndex(0);
    };
    fillDate(ui->cboDate, ui->cboMonth, ui->cboYear);
    fillDate(ui->cboSiblingDate, ui->cboSiblingMonth, ui->cboSiblingYear);
}

bool FrmMain::ValidateInputs()
{
    const std::optional<QString> failure = inputCheckFailure(
        {ui->txtName->text(), ui->cboDate->currentIndex(), ui->cboMonth->currentIndex(),
         ui->cboSiblingDate->currentIndex(), ui->cboSiblingMonth->currentIndex()});
    if (!failure)
        return true;
    m_desktop.message(*failure, platform::Icon::Information);
    // The name is checked first, so an empty name is what failed.
    if (ui->txtName->text().isEmpty())
        ui->txtName->setFocus();
    return false;
}

void FrmMain::runTest()
{
    if (!ValidateInputs())
        return;
    result_window::ResultValues values;
    guarded([&] {
        values = workOutResult(m_shared, ui->cboMonth->currentIndex(), ui->cboDate->currentIndex(),
                               ui->cboSiblingMonth->currentIndex(), ui->cboSiblingDate->currentIndex());
    });
    FrmDisplay *display = m_result.data();
    guarded([&] {
        if (!display)
            display = createResultWindow();
    });
    guarded([&] {
        if (display)
            display->fill(values);
    });
    guarded([&] { hide(); });
    guarded([&] {
        if (display)
            display->show();
    });
}

FrmDisplay *FrmMain::createResultWindow()
{
    m_result = new FrmDisplay(m_desktop);
    connect(m_result, &FrmDisplay::backRequested, this, &FrmMain::returnFromResult);
    // Closed for good: the next run needs a new window even before this one
    // is deleted.
    connect(m_result, &FrmDisplay::closedByUser, this, [this] { m_result = nullptr; });
    emit resultWindowCreated(m_result);
    return m_result;
}

void FrmMain::returnFromResult()
{
    m_result = nullptr;
    guarded([&] {
        show();
        activateWindow();
    });
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedByUser();
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->txtName && event->type() == QEvent::KeyPress)
        return takeNameKey(*static_cast<QKeyEvent *>(event));
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
    ui->txtName->insert(QString(QChar(accepted)));
    return true;
}
