#include "exitscreen/FrmNagScreen2.h"

#include "ui_FrmNagScreen2.h"

#include "platform/Desktop.h"
#include "windowkit/Centre.h"
#include "windowkit/Links.h"
#include "windowkit/Look.h"
#include "windowkit/Pictures.h"
#include "windowkit/Site.h"
#include "windowkit/WindowKeys.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace exitscreen {

using namespace windowkit;

namespace {

const std::array<const char *, 4> kPromotions = {
    "Thank you for using Quenlory! Our discussion forum is kept alive by its members. Please support it "
    "by visiting it regularly, asking your questions and sharing what the stars have told you.",
    "Did Quenlory help you understand your brother or sister a little better? Help us keep our "
    "free forum alive: drop in often, start a topic and answer the questions of other members.",
    "Our forum is where people who love astrology meet and talk. Please support it by visiting "
    "it every week, reading the latest posts and adding your own thoughts to the discussions.",
    "Free programs like Quenlory are made possible by our lively forum. Show your support: visit "
    "the forum regularly, take part in its discussions and tell the members about your results.",
};

} // namespace

FrmNagScreen2::FrmNagScreen2(platform::Desktop &desktop, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_ui(std::make_unique<Ui::frmNagScreen2>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(size());

    setWindowTitle(programCaption());
    m_ui->lblNagScreen2Caption->setText(programCaption());
    showProgramPicture(m_ui->picNagscreen2Icon);

    m_desktop.seedRandom();
    m_ui->Label2->setText(promotionalText(int(std::floor(4 * m_desktop.random()))));
    m_ui->Label3->setText(QStringLiteral(
        "If you enjoyed Quenlory, have a look at our other programs. We make easy and free "
        "software on astrology, psychic readings, tarot, numerology and the occult, all ready "
        "for you to download."));
    m_ui->Check1->setText(QStringLiteral("Yes! Take me to the forum now to join the talk"));

    const std::pair<QObject *, QString> boxes[] = {
        {m_ui->txtName, kNamePlaceholder},
        {m_ui->txtEmail, kEmailPlaceholder},
        {m_ui->txtFriendName, kFriendNamePlaceholder},
        {m_ui->txtFriendEmail, kFriendEmailPlaceholder},
        {m_ui->txtMessage, kMessagePlaceholder},
    };
    for (const auto &[box, placeholder] : boxes) {
        box->setProperty("placeholder", placeholder);
        setBoxText(box, placeholder);
        box->installEventFilter(this);
    }
    applyLook();

    makePageLink(m_ui->lblGoToHome, m_desktop, kCataloguePage);
    connect(m_ui->Check1, &QCheckBox::clicked, this, &FrmNagScreen2::checkClicked);
    connect(m_ui->cmdSubmit, &QPushButton::clicked, this, &FrmNagScreen2::submit);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Enter presses the focused button, as on the other windows; the screen
    // has no default button.
    new WindowKeys(this, nullptr);
    centreWhenFirstShown(this);
}

FrmNagScreen2::~FrmNagScreen2() = default;

QString FrmNagScreen2::promotionalText(int n)
{
    return QString::fromLatin1(kPromotions.at(std::size_t(std::clamp(n, 0, 3))));
}

void FrmNagScreen2::applyLook()
{
    setFont(programFont(8.25));
    setBackground(this, kDarkBrown);
    m_ui->lblNagScreen2Caption->setFont(programFont(9.75));
    setTextColour(m_ui->lblNagScreen2Caption, Qt::white);
    setTextColour(m_ui->Label2, kCyan);
    setTextColour(m_ui->Check1, kLightYellow);
    // Its box in the window's colours, so the light yellow mark shows.
    QPalette checkPalette = m_ui->Check1->palette();
    checkPalette.setColor(QPalette::Base, kDarkBrown);
    m_ui->Check1->setPalette(checkPalette);
    for (QWidget *frame : std::initializer_list<QWidget *>{m_ui->Frame6, m_ui->Frame2}) {
        setBackground(frame, kKhaki);
        setTextColour(frame, Qt::black);
    }
    m_ui->Label3->setFont(programFont(8.25, Weight::Regular));
    setTextColour(m_ui->Label3, kDarkBrown);
    m_ui->lblGoToHome->setFont(programFont(8.25, Weight::Bold, Underline::Yes));
    setTextColour(m_ui->lblGoToHome, kLinkBlue);
    for (QWidget *box : std::initializer_list<QWidget *>{m_ui->txtName, m_ui->txtEmail,
                                                         m_ui->txtFriendName, m_ui->txtFriendEmail,
                                                         m_ui->txtMessage})
        setFieldColours(box, kDarkBrown, kLightYellow);
    for (QWidget *button : {m_ui->cmdSubmit, m_ui->cmdClose}) {
        setBackground(button, kKhaki);
        setTextColour(button, Qt::black);
    }
}

QString FrmNagScreen2::boxText(QObject *box) const
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    if (auto *area = qobject_cast<QPlainTextEdit *>(box))
        return area->toPlainText();
    return QString();
}

void FrmNagScreen2::setBoxText(QObject *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *area = qobject_cast<QPlainTextEdit *>(box))
        area->setPlainText(text);
}

bool FrmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    const QString placeholder = watched->property("placeholder").toString();
    if (placeholder.isEmpty())
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (trimBlanks(boxText(watched)) == placeholder)
            setBoxText(watched, QString());
        break;
    case QEvent::FocusOut:
        if (trimBlanks(boxText(watched)).isEmpty())
            setBoxText(watched, placeholder);
        break;
    case QEvent::KeyPress:
        if ((watched == m_ui->txtEmail || watched == m_ui->txtFriendEmail)
            && static_cast<QKeyEvent *>(event)->text() == QStringLiteral(" ")) {
            m_desktop.message(QStringLiteral("Email Address Cannot Contain Space"),
                              platform::Icon::Critical);
            static_cast<QWidget *>(watched)->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmNagScreen2::submit()
{
    const Referral referral = trimmedReferral({m_ui->txtName->text(), m_ui->txtEmail->text(),
                                               m_ui->txtMessage->toPlainText(), m_ui->txtFriendName->text(),
                                               m_ui->txtFriendEmail->text()});
    const QString problem = referralProblem(referral);
    if (!problem.isEmpty()) {
        m_desktop.message(problem, platform::Icon::Critical);
        return;
    }
    m_desktop.openUrl(referralAddress(referral));
}

void FrmNagScreen2::checkClicked(bool checked)
{
    if (!checked)
        return;
    m_ui->Check1->setChecked(false);
    OpenSiteLink(m_desktop, kHomePage);
}

void FrmNagScreen2::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedByUser();
}

} // namespace exitscreen
