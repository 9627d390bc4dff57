// What the four windows' forms show, each fact in one table over the windows
// it applies to: where every control sits, its typeface, its fixed text, the
// colours it is given, that every text fits its box, and the colours actually
// drawn, read from pixels with the program's style, so a gradient, a tint or
// a desktop colour drawn over a palette that is set right fails here.

#include "Pixels.h"
#include "Windows.h"

#include "aboutbox/FrmAbout.h"
#include "core/ChildProfiles.h"
#include "exitscreen/FrmNagScreen2.h"
#include "platform/QtDesktop.h"
#include "windowkit/Style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QtMath>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <memory>

namespace {

// What of a control is sampled.
enum class Part {
    ButtonFace,     // left of the caption, inside frame and focus mark
    ListField,      // a closed list between its entry and its arrow
    BoxField,       // a text box right of its text
    CheckBox,       // inside the check box's square
    ScrollHandle,   // the handle of a box's vertical scroll bar
    OpenedList,     // an entry of the opened list right of its text
    OpenedChosen,   // the chosen entry of the opened list, right of its text
    OpenedText,     // the text of an entry of the opened list (enough pixels)
    OpenedChosenText,
    Ground,         // the window's own ground, in its top right corner
    Line,           // all of a line
    Text,           // a label's text (enough pixels)
};

// How a row's text is compared with the control's.
enum class Match { Whole, Begins, Mentions };

QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return qobject_cast<const QAbstractButton *>(widget)->text();
}

// The device pixels of a picture that differ from its top left corner's colour.
QRect inkRect(const QImage &picture)
{
    const QColor ground = picture.pixelColor(0, 0);
    QRect ink;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (distance(picture.pixelColor(x, y), ground) > 60)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

Q_DECLARE_METATYPE(Part)
Q_DECLARE_METATYPE(Match)

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowShape_data();
    void windowShape();
    void placement_data();
    void placement();
    void typeface_data();
    void typeface();
    void fixedTexts_data();
    void fixedTexts();
    void textAlignment_data();
    void textAlignment();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
    void statedColours_data();
    void statedColours();
    void drawnColours_data();
    void drawnColours();
    void yearListOpensBelowWithEightRows_data();
    void yearListOpensBelowWithEightRows();
    void pictureIsSharp_data();
    void pictureIsSharp();
    void messageFits_data();
    void messageFits();

private:
    QWidget *window(const QString &name) const;
    QWidget *control(const QString &window, const QString &name) const;
    QImage openedList(QComboBox *list, QRect *entry, QRect *chosen);

    FakeDesktop m_desktop;
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<FrmDisplay> m_result;
    std::unique_ptr<aboutbox::FrmAbout> m_about;
    std::unique_ptr<exitscreen::FrmNagScreen2> m_exit;
    QStringList m_deletedOnClose;   // the windows made so, before the test keeps them
};

void TestForms::initTestCase()
{
    QApplication::setStyle(new windowkit::ProgramStyle);
    windowkit::installFontSubstitutes();
    m_main = std::make_unique<FrmMain>(m_desktop);
    m_result = std::make_unique<FrmDisplay>(m_desktop);
    m_about = std::make_unique<aboutbox::FrmAbout>(m_desktop);
    m_exit = std::make_unique<exitscreen::FrmNagScreen2>(m_desktop);
    const auto cancer = core::ChildProfileFor("Cancer");
    QVERIFY(cancer);
    const QString profile = QString::fromUtf8(cancer->data(), qsizetype(cancer->size()));
    m_result->fill({QStringLiteral("Cancer"), profile, QStringLiteral("Cancer"), profile, QStringLiteral("x"),
                    QStringLiteral("You Get Along OK")});
    for (const char *name : {"main", "result", "about", "exit"}) {
        QWidget *shown = window(QString::fromLatin1(name));
        if (shown->testAttribute(Qt::WA_DeleteOnClose))
            m_deletedOnClose << QString::fromLatin1(name);
        shown->setAttribute(Qt::WA_DeleteOnClose, false);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
    }
}

void TestForms::cleanupTestCase()
{
    m_exit.reset();
    m_about.reset();
    m_result.reset();
    m_main.reset();
}

QWidget *TestForms::window(const QString &name) const
{
    if (name == QLatin1String("main"))
        return m_main.get();
    if (name == QLatin1String("result"))
        return m_result.get();
    if (name == QLatin1String("about"))
        return m_about.get();
    return m_exit.get();
}

QWidget *TestForms::control(const QString &window, const QString &name) const
{
    return findControl<QWidget>(this->window(window), name.toLatin1().constData());
}

// Each window's name, caption and fixed shape, where it opens and whether it
// is discarded on closing. Client areas: below the menu bar where there is one.
void TestForms::windowShape_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("client");      // invalid: not stated, only fixed
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("topmost");
    QTest::addColumn<bool>("deletedOnClose");
    QTest::addColumn<bool>("noMinMaxBoxes");    // false: not stated, not checked

    QTest::newRow("main") << "main" << "frmMain" << QSize(491, 394) << false << false << true << false;
    QTest::newRow("result") << "result" << "frmDisplay" << QSize(577, 505) << true << false << true << true;
    QTest::newRow("about") << "about" << "frmAbout" << QSize(423, 264) << true << false << false << true;
    QTest::newRow("exit") << "exit" << "frmNagScreen2" << QSize() << true << true << true << false;
}

void TestForms::windowShape()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QSize, client);
    QFETCH(bool, centred);
    QFETCH(bool, topmost);
    QFETCH(bool, deletedOnClose);
    QFETCH(bool, noMinMaxBoxes);
    QWidget *shown = this->window(window);

    QCOMPARE(shown->objectName(), name);
    QCOMPARE(shown->windowTitle(), programCaption());
    QVERIFY(!shown->parentWidget());
    QCOMPARE(m_deletedOnClose.contains(window), deletedOnClose);
    const Qt::WindowFlags flags = shown->windowFlags();
    if (noMinMaxBoxes) {
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    }
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QCOMPARE(bool(flags & Qt::WindowStaysOnTopHint), topmost);
    QCOMPARE(shown->minimumSize(), shown->maximumSize());
    if (client.isValid()) {
        if (auto *mainWindow = qobject_cast<QMainWindow *>(shown)) {
            QCOMPARE(mainWindow->centralWidget()->size(), client);
            const int menuBar = mainWindow->menuWidget() ? mainWindow->menuWidget()->height() : 0;
            QCOMPARE(mainWindow->centralWidget()->y(), menuBar);
            QCOMPARE(shown->height(), client.height() + menuBar);
        } else {
            QCOMPARE(shown->size(), client);
        }
    }
    if (centred) {
        const QPoint screenCentre = shown->screen()->availableGeometry().center();
        const QPoint centre = shown->frameGeometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    }
}

void TestForms::placement_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");

    const auto place = [](const char *window) {
        return [window](const char *name, const char *container, int x, int y, int w, int h) {
            QTest::addRow("%s %s", window, name) << QString::fromLatin1(window) << QString::fromLatin1(name)
                                                 << QString::fromLatin1(container) << QRect(x, y, w, h);
        };
    };
    const auto main = place("main");
    main("Frame2", "centralwidget", 0, 0, 492, 41);
    main("Label61", "Frame2", 8, 9, 480, 39);
    main("fraSiblingCompatibility", "centralwidget", 0, 40, 492, 297);
    main("Label4", "fraSiblingCompatibility", 16, 16, 457, 57);
    main("Frame1", "fraSiblingCompatibility", 48, 72, 401, 97);
    main("Label3", "Frame1", 16, 22, 37, 13);
    main("txtName", "Frame1", 112, 16, 249, 25);
    main("Label5", "Frame1", 128, 48, 41, 13);
    main("Label7", "Frame1", 216, 48, 57, 13);
    main("Label6", "Frame1", 312, 48, 41, 13);
    main("Label1", "Frame1", 16, 68, 83, 13);
    main("cboDate", "Frame1", 112, 64, 60, 21);
    main("cboMonth", "Frame1", 184, 64, 100, 21);
    main("cboYear", "Frame1", 296, 64, 68, 21);
    main("Frame3", "fraSiblingCompatibility", 48, 176, 401, 73);
    main("Label22", "Frame3", 128, 24, 41, 13);
    main("Label20", "Frame3", 216, 24, 57, 13);
    main("Label23", "Frame3", 312, 24, 41, 13);
    main("Label21", "Frame3", 16, 44, 85, 13);
    main("cboSiblingDate", "Frame3", 112, 40, 60, 21);
    main("cboSiblingMonth", "Frame3", 184, 40, 100, 21);
    main("cboSiblingYear", "Frame3", 296, 40, 68, 21);
    main("cmdCompatibilityWithSibling", "fraSiblingCompatibility", 48, 256, 401, 33);
    main("Frame5", "centralwidget", 0, 336, 492, 57);
    main("lblCobrand", "Frame5", 8, 11, 383, 41);
    main("lblFullBrand", "Frame5", 8, 11, 383, 41);
    main("cmdExit", "Frame5", 392, 16, 84, 31);
    const auto result = place("result");
    result("Frame2", "centralwidget", 0, 0, 577, 41);
    result("Label61", "Frame2", 8, 8, 560, 39);
    result("fraSiblingResult", "centralwidget", 0, 40, 577, 121);
    result("lblCompatibilityResult", "fraSiblingResult", 12, 64, 553, 49);
    result("Frame3", "centralwidget", 0, 160, 577, 145);
    result("txtYourProfile", "Frame3", 16, 72, 545, 65);
    result("Frame1", "centralwidget", 0, 304, 577, 145);
    result("txtYourSiblingProfile", "Frame1", 16, 72, 545, 65);
    result("Frame5", "centralwidget", 0, 448, 577, 57);
    result("cmdExit", "Frame5", 400, 13, 84, 31);
    result("cmdBack", "Frame5", 488, 13, 84, 31);
    result("lblFullBrand", "Frame5", 8, 11, 383, 41);
    result("lblCobrand", "Frame5", 8, 11, 383, 41);
    // The about box's design is in twips, 15 to the pixel.
    const auto about = [](const char *name, int x, int y, int w, int h) {
        QTest::addRow("about %s", name) << QStringLiteral("about") << QString::fromLatin1(name)
                                        << QStringLiteral("frmAbout") << QRect(x / 15, y / 15, w / 15, h / 15);
    };
    about("cmdOK", 4950, 3480, 1260, 345);
    about("picIcon", 150, 150, 510, 510);
    about("Label2", 960, 300, 3825, 240);
    about("Label1", 210, 840, 5745, 1005);
    about("lblHomePage", 1560, 2040, 4650, 195);
    about("Label6", 120, 2430, 6015, 675);
    about("Label5", 3600, 3120, 2610, 195);
}

void TestForms::placement()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    const QWidget *widget = control(window, name);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), rect);
}

void TestForms::typeface_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");

    const auto font = [](const char *window, const char *name, qreal points, bool bold, bool underline) {
        QTest::addRow("%s %s", window, name) << QString::fromLatin1(window) << QString::fromLatin1(name)
                                             << points << bold << underline;
    };
    font("main", "fraSiblingCompatibility", 8.25, true, false);
    font("main", "Label4", 8.25, true, false);
    font("main", "txtName", 8.25, true, false);
    font("main", "cboSiblingMonth", 8.25, true, false);
    font("main", "cmdExit", 8.25, true, false);
    font("main", "cmdCompatibilityWithSibling", 9.0, true, false);
    font("main", "Label61", 9.0, true, true);
    font("main", "Label3", 8.25, true, true);
    font("main", "Label1", 8.25, true, true);
    font("main", "Label21", 8.25, true, true);
    font("main", "Label5", 8.25, false, true);
    font("main", "Label20", 8.25, false, true);
    font("main", "Label23", 8.25, false, true);
    font("main", "lblCobrand", 8.25, true, true);
    font("main", "lblFullBrand", 8.25, true, true);
    for (const char *plain : {"fraSiblingResult", "Frame3", "Frame1", "Frame2", "Frame5", "cmdBack", "cmdExit",
                              "lblSiblingCompatibility", "lblCompatibilityResult", "txtYourProfile",
                              "txtYourSiblingProfile"})
        font("result", plain, 8.25, true, false);
    for (const char *heading : {"Label2", "s", "Label9", "Label3", "Label5", "lblCobrand"})
        font("result", heading, 8.25, true, true);
    font("result", "lblYourSunSign", 9.0, true, false);
    font("result", "lblYourSiblingSunSign", 9.0, true, false);
    font("result", "Label61", 9.0, true, true);
    font("about", "cmdOK", 8.25, true, false);
    font("about", "Label2", 9.75, true, false);
    font("about", "Label1", 8.25, false, false);
    font("about", "Label6", 8.25, true, false);
    font("about", "lblHomePage", 8.25, true, true);
    font("about", "Label5", 8.25, true, true);
    font("exit", "lblNagScreen2Caption", 9.75, true, false);
    font("exit", "Label2", 8.25, true, false);
    font("exit", "Label3", 8.25, false, false);
    font("exit", "lblGoToHome", 8.25, true, true);
    font("exit", "cmdSubmit", 8.25, true, false);
}

void TestForms::typeface()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    const QFont font = control(window, name)->font();
    QCOMPARE(font.family(), QStringLiteral("Verdana"));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    // The face drawn: Verdana where it is installed, else DejaVu Sans, with
    // whichever font database the platform has.
    const QString drawn = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                               : QStringLiteral("DejaVu Sans");
    QCOMPARE(QFontInfo(font).family(), drawn);
}

void TestForms::fixedTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Match>("match");

    const auto text = [](const char *window, const char *name, const QString &text, const char *what = nullptr,
                         Match match = Match::Whole) {
        QTest::addRow("%s %s", window, what ? what : name)
            << QString::fromLatin1(window) << QString::fromLatin1(name) << text << match;
    };
    const QString coBrand = QStringLiteral(
        "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
        "site's name &  link here. See \"Help\" for details.Click Here for more info on co-branding.");
    const QString fullBrand = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get this "
        "software fully branded for your website. Click here for more details.");
    const QString site = siteBase().mid(siteBase().indexOf(QStringLiteral("://")) + 3);
    const QString forum = QStringLiteral("Talk about brothers, sisters and the stars in the Talvane discussion "
                                         "forum. Visit the forum at ")
        + site;

    text("main", "Label4",
         QStringLiteral("Welcome to Quenlory. Take the test today and know the kind of relationship you share with "
                        "your brothers and sisters. Maybe knowing more about each other will help you get along "
                        "better with each other. "),
         "welcome, trailing blank kept");
    text("main", "Label3", QStringLiteral("Name"));
    text("main", "Label1", QStringLiteral("Date Of Birth"));
    text("main", "Label21", QStringLiteral("Sibling's DOB"));
    text("main", "Label5", QStringLiteral("Date"));
    text("main", "Label7", QStringLiteral("Month"));
    text("main", "Label6", QStringLiteral("Year"));
    text("main", "Label22", QStringLiteral("Date"));
    text("main", "Label20", QStringLiteral("Month"));
    text("main", "Label23", QStringLiteral("Year"));
    text("main", "cmdCompatibilityWithSibling", QStringLiteral("Get My Compatibility With My Brother / Sister"));
    text("main", "cmdExit", QStringLiteral("&Exit"));
    text("main", "lblCobrand", coBrand, "co-brand, one ampersand shown");
    text("main", "lblFullBrand", fullBrand);
    text("main", "Label61", forum, "forum advert, the site without its scheme");
    text("main", "fraSiblingCompatibility", QStringLiteral("Sibling Compatibility"));
    text("main", "Frame1", QStringLiteral("Enter Your Details"));
    text("main", "Frame3", QStringLiteral("Enter Your Sibling Details"));
    text("main", "Frame2", QString(), "Frame2 has none");
    text("main", "Frame5", QString(), "Frame5 has none");
    text("result", "fraSiblingResult", QStringLiteral(" Level Of Compatibility"), "verdict frame, leading blank");
    text("result", "Frame3", QStringLiteral("Your Profile"));
    text("result", "Frame1", QStringLiteral("Sibling Profile"));
    text("result", "Label2", QStringLiteral("Compatibility With Your Sibling"));
    text("result", "s", QStringLiteral("Your Sun Sign"));
    text("result", "Label9", QStringLiteral("Your Profile"));
    text("result", "Label3", QStringLiteral("Your Sibling's Sun Sign"));
    text("result", "Label5", QStringLiteral("Your Sibling's Profile"));
    text("result", "cmdExit", QStringLiteral("&Exit"));
    text("result", "cmdBack", QStringLiteral("&Back"));
    text("result", "lblCobrand", coBrand);
    text("result", "lblFullBrand", fullBrand);
    text("result", "Label61", forum);
    text("about", "Label2", programCaption());
    text("about", "cmdOK", QStringLiteral("&OK"));
    text("about", "Label6",
         QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. "
                        "Get this software fully branded for your website."));
    text("about", "Label5", QStringLiteral("Click here for more details"));
    text("about", "lblHomePage", QStringLiteral("Click here to visit ") + site);
    text("about", "Label1",
         QStringLiteral("Quenlory is an easy to understand software that describes the compatibility between "
                        "you and your siblings. "),
         "description begins", Match::Begins);
    text("exit", "lblNagScreen2Caption", programCaption());
    text("exit", "Frame6", QStringLiteral("Download Talvane Softwares"));
    text("exit", "lblGoToHome", QStringLiteral("Click Here To Visit Talvane Softwares"));
    text("exit", "Frame2", QStringLiteral("Refer A Friend"));
    text("exit", "cmdSubmit", QStringLiteral("Refer A Friend &Now"));
    text("exit", "cmdClose", QStringLiteral("E&xit"));
    for (const char *topic : {"astrology", "psychic", "tarot", "numerology", "occult"})
        text("exit", "Label3", QString::fromLatin1(topic), topic, Match::Mentions);
    text("exit", "Check1", QStringLiteral("forum"), "check box asks for the forum", Match::Mentions);
}

void TestForms::fixedTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(Match, match);
    const QWidget *widget = control(window, name);
    const QString shown = shownText(widget);
    if (match == Match::Whole)
        QCOMPARE(shown, text);
    else
        QVERIFY2(match == Match::Begins ? shown.startsWith(text) : shown.contains(text), qPrintable(shown));
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && window == QLatin1String("main"))
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void TestForms::textAlignment_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::Alignment>("alignment");

    // Text in a box taller than itself starts at the top.
    QTest::newRow("main forum advert") << "main" << "Label61" << (Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("main welcome text") << "main" << "Label4" << (Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("main co-brand") << "main" << "lblCobrand" << (Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("main full brand") << "main" << "lblFullBrand" << (Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("result pair sentence") << "result" << "lblCompatibilityResult" << (Qt::AlignHCenter | Qt::AlignTop);
}

void TestForms::textAlignment()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(Qt::Alignment, alignment);
    QCOMPARE(qobject_cast<QLabel *>(control(window, name))->alignment(), alignment);
}

void TestForms::textsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("promotion");   // the exit screen's text shown, 0 to 3
    QTest::newRow("main") << "main" << 0;
    QTest::newRow("about") << "about" << 0;
    for (int n = 0; n < 4; ++n)
        QTest::addRow("exit, promotion %d", n) << "exit" << n;
}

// Every label's text fits the part of its box that shows (a label may reach
// below its container, which cuts it off), and every button's caption fits.
void TestForms::textsFitTheirBoxes()
{
    QFETCH(QString, window);
    QFETCH(int, promotion);
    QWidget *form = this->window(window);
    if (window == QLatin1String("exit"))
        findControl<QLabel>(form, "Label2")->setText(exitscreen::FrmNagScreen2::promotionalText(promotion));
    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QRect shown = label->contentsRect().intersected(
            label->parentWidget()->rect().translated(-label->pos()));
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, label->text());
        QVERIFY2(shown.contains(needed),
                 qPrintable(label->objectName() + QStringLiteral(" needs %1 x %2 in %3 x %4")
                                .arg(needed.width()).arg(needed.height()).arg(shown.width()).arg(shown.height())));
    }
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
        const QSize hint = button->sizeHint();
        QVERIFY2(hint.width() <= button->width() && hint.height() <= button->height(),
                 qPrintable(button->objectName()));
    }
}

void TestForms::statedColours_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("opaque");   // 1 filled, 0 see-through, -1 not stated

    const auto colour = [](const char *window, const char *name, const char *what, QPalette::ColorRole role,
                           const QColor &colour, int opaque) {
        QTest::addRow("%s %s", window, what) << QString::fromLatin1(window) << QString::fromLatin1(name) << role
                                             << colour << opaque;
    };
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    colour("main", "centralwidget", "window background", QPalette::Window, kDarkBrown, 1);
    colour("main", "fraSiblingCompatibility", "main frame", QPalette::Window, kDarkBrown, 1);
    colour("main", "fraSiblingCompatibility", "main frame caption", QPalette::WindowText, kLightYellow, 1);
    colour("main", "Label4", "welcome text", QPalette::WindowText, kCyan, 0);
    for (const char *frame : {"Frame1", "Frame3", "Frame2", "Frame5"})
        colour("main", frame, frame, QPalette::Window, kKhaki, 1);
    colour("main", "cmdCompatibilityWithSibling", "test button", QPalette::Button, kKhaki, 1);
    colour("main", "cmdExit", "Exit", QPalette::Button, kKhaki, 1);
    colour("main", "txtName", "name box", QPalette::Base, kDarkBrown, 1);
    colour("main", "txtName", "name text", QPalette::Text, kLightYellow, 1);
    colour("main", "cboDate", "day list", QPalette::Button, kDarkBrown, 1);
    colour("main", "cboSiblingYear", "sibling year text", QPalette::ButtonText, kLightYellow, 1);
    colour("main", "Label61", "forum advert", QPalette::WindowText, Qt::black, 0);
    colour("main", "lblCobrand", "co-brand text", QPalette::WindowText, QColor(0, 0, 255), 1);
    colour("main", "lblCobrand", "co-brand face", QPalette::Window, face, 1);
    colour("main", "lblFullBrand", "full-brand face", QPalette::Window, face, 1);
    colour("result", "centralwidget", "window background", QPalette::Window, Qt::white, 1);
    colour("result", "fraSiblingResult", "verdict frame", QPalette::Window, kDarkBrown, 1);
    colour("result", "fraSiblingResult", "verdict caption", QPalette::WindowText, kLightYellow, 1);
    colour("result", "Frame3", "user frame", QPalette::Window, kDarkBrown, 1);
    colour("result", "Frame1", "sibling frame", QPalette::Window, kDarkBrown, 1);
    colour("result", "Frame2", "banner strip", QPalette::Window, kKhaki, 1);
    colour("result", "Frame5", "button strip", QPalette::Window, kKhaki, 1);
    colour("result", "cmdBack", "Back", QPalette::Button, kKhaki, 1);
    colour("result", "cmdExit", "Exit", QPalette::Button, kKhaki, 1);
    for (const char *heading : {"Label2", "s", "Label9", "Label3", "Label5"})
        colour("result", heading, heading, QPalette::WindowText, kLightYellow, 0);
    colour("result", "lblYourSunSign", "user sign", QPalette::WindowText, kCyan, 0);
    colour("result", "lblYourSiblingSunSign", "sibling sign", QPalette::WindowText, kCyan, 0);
    colour("result", "lblSiblingCompatibility", "level sentence", QPalette::WindowText, kCyan, 0);
    colour("result", "lblCompatibilityResult", "pair sentence", QPalette::WindowText, kCyan, 0);
    colour("result", "txtYourProfile", "user profile text", QPalette::Text, kCyan, -1);
    colour("result", "txtYourProfile", "user profile ground", QPalette::Base, kDarkGrey, -1);
    colour("result", "txtYourSiblingProfile", "sibling profile ground", QPalette::Base, kDarkGrey, -1);
    colour("result", "lblCobrand", "co-brand", QPalette::WindowText, QColor(0, 0, 255), 1);
    colour("result", "Label61", "forum advert", QPalette::WindowText, Qt::black, 0);
}

void TestForms::statedColours()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    QFETCH(int, opaque);
    const QWidget *widget = control(window, name);
    QCOMPARE(widget->palette().color(role), colour);
    if (opaque >= 0)
        QCOMPARE(widget->autoFillBackground(), opaque == 1);
}

// Opens the list with its current entry chosen and the one above it plain,
// and returns the list's picture with both entries' rectangles.
QImage TestForms::openedList(QComboBox *list, QRect *entry, QRect *chosen)
{
    list->setCurrentIndex(qMax(1, list->currentIndex()));
    list->showPopup();
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitFor([view] { return view->window()->isVisible(); }))
        return QImage();
    const QModelIndex current = view->currentIndex();
    *chosen = view->visualRect(current);
    *entry = view->visualRect(current.siblingAtRow(current.row() - 1));
    const QImage picture = view->viewport()->grab().toImage();
    list->hidePopup();
    return picture;
}

void TestForms::drawnColours_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<Part>("part");
    QTest::addColumn<QColor>("expected");

    const auto row = [](const char *window, const char *control, Part part, const QColor &expected,
                        const char *what) {
        QTest::addRow("%s %s, %s", window, control, what)
            << QString::fromLatin1(window) << QString::fromLatin1(control) << part << expected;
    };
    row("main", "cmdCompatibilityWithSibling", Part::ButtonFace, kKhaki, "khaki face");
    row("main", "cmdExit", Part::ButtonFace, kKhaki, "khaki face, default button");
    for (const char *list : {"cboDate", "cboMonth", "cboYear", "cboSiblingDate", "cboSiblingMonth", "cboSiblingYear"})
        row("main", list, Part::ListField, kDarkBrown, "closed, dark brown");
    row("main", "txtName", Part::BoxField, kDarkBrown, "dark brown");
    for (const char *list : {"cboDate", "cboMonth", "cboYear", "cboSiblingYear"}) {
        row("main", list, Part::OpenedList, kDarkBrown, "opened, dark brown");
        row("main", list, Part::OpenedText, kLightYellow, "opened, light yellow text");
        row("main", list, Part::OpenedChosen, kLightYellow, "opened, chosen entry light yellow");
        row("main", list, Part::OpenedChosenText, kDarkBrown, "opened, chosen entry's text dark brown");
    }
    row("result", "cmdBack", Part::ButtonFace, kKhaki, "khaki face, focused");
    row("result", "cmdExit", Part::ButtonFace, kKhaki, "khaki face, default button");
    row("result", "txtYourProfile", Part::BoxField, kDarkGrey, "dark grey");
    row("result", "txtYourProfile", Part::ScrollHandle, kDarkGrey, "scroll bar handle");
    row("result", "txtYourSiblingProfile", Part::ScrollHandle, kDarkGrey, "scroll bar handle");
    row("about", "cmdOK", Part::ButtonFace, kKhaki, "khaki face");
    row("about", "frmAbout", Part::Ground, kDarkBrown, "dark brown ground");
    row("about", "Line2", Part::Line, Qt::white, "white line");
    for (const char *label : {"Label2", "lblHomePage", "Label5"})
        row("about", label, Part::Text, Qt::white, "white text");
    for (const char *label : {"Label1", "Label6"})
        row("about", label, Part::Text, kLightYellow, "light yellow text");
    row("exit", "cmdSubmit", Part::ButtonFace, kKhaki, "khaki face");
    row("exit", "cmdClose", Part::ButtonFace, kKhaki, "khaki face");
    for (const char *box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage"})
        row("exit", box, Part::BoxField, kDarkBrown, "dark brown");
    row("exit", "Check1", Part::CheckBox, kDarkBrown, "dark brown square");
}

void TestForms::drawnColours()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(Part, part);
    QFETCH(QColor, expected);

    QWidget *widget = this->window(window)->objectName() == control ? this->window(window)
                                                                    : this->control(window, control);
    QImage picture;
    QRect area;
    int textPixels = -1;
    switch (part) {
    case Part::Ground:
        picture = widget->grab().toImage();
        area = QRect(widget->width() - 90, 2, 80, 12);
        break;
    case Part::Line:
        picture = widget->grab().toImage();
        area = widget->rect();
        break;
    case Part::Text:
        picture = widget->grab().toImage();
        // Close enough that no edge of a neighbouring colour's text counts.
        textPixels = pixelsNear(picture, picture.rect(), expected, 12);
        break;
    case Part::ButtonFace:
        picture = widget->grab().toImage();
        area = QRect(5, 5, qMin(15, widget->width() / 5), widget->height() - 10);
        break;
    case Part::ListField: {
        auto *list = qobject_cast<QComboBox *>(widget);
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.subControls = QStyle::SC_All;
        const QRect arrow = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxArrow, list);
        picture = widget->grab().toImage();
        const int textEnd = 4 + list->fontMetrics().horizontalAdvance(list->currentText());
        area = QRect(QPoint(textEnd + 4, 4), QPoint(arrow.left() - 3, list->height() - 5));
        break;
    }
    case Part::BoxField: {
        // A text box's viewport, at its right end, clear of text and bars.
        QWidget *field = widget;
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            field = area->viewport();
        picture = field->grab().toImage();
        area = QRect(field->width() - 14, field->height() / 2 - 3, 8, 6);
        // A paragraph's lines may run to the document's margin, the more so
        // at another scaling, whose fonts break the lines elsewhere: inside it.
        if (auto *edit = qobject_cast<QPlainTextEdit *>(widget)) {
            const int margin = int(edit->document()->documentMargin());
            area = QRect(field->width() - margin + 1, field->height() / 2 - 3, margin - 2, 6);
        }
        if (qobject_cast<QLineEdit *>(widget))
            area = QRect(widget->width() - 20, 5, 14, widget->height() - 10);
        break;
    }
    case Part::CheckBox: {
        QStyleOptionButton option;
        option.initFrom(widget);
        picture = widget->grab().toImage();
        area = widget->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, widget).adjusted(3, 3, -3, -3);
        break;
    }
    case Part::ScrollHandle: {
        QScrollBar *bar = qobject_cast<QAbstractScrollArea *>(widget)->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.pageStep = bar->pageStep();
        option.sliderPosition = option.sliderValue = bar->value();
        option.subControls = QStyle::SC_All;
        picture = bar->grab().toImage();
        area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
                   .adjusted(3, 3, -3, -3);
        break;
    }
    case Part::OpenedList:
    case Part::OpenedChosen:
    case Part::OpenedText:
    case Part::OpenedChosenText: {
        QRect entry;
        QRect chosen;
        picture = openedList(qobject_cast<QComboBox *>(widget), &entry, &chosen);
        QVERIFY(!picture.isNull());
        const QRect row = part == Part::OpenedList || part == Part::OpenedText ? entry : chosen;
        if (part == Part::OpenedText || part == Part::OpenedChosenText)
            textPixels = pixelsNear(picture, row.adjusted(0, 0, -row.width() / 3, 0), expected);
        else
            area = QRect(row.right() - 12, row.top() + 2, 8, row.height() - 4);
        break;
    }
    }
    if (textPixels >= 0) {
        QVERIFY2(textPixels >= 8, qPrintable(QStringLiteral("%1 pixels of text").arg(textPixels)));
        return;
    }
    const QString failure = areaFailure(picture, area, expected);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestForms::yearListOpensBelowWithEightRows_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("current");

    QTest::newRow("year at 1900") << "cboYear" << 0;
    QTest::newRow("sibling's year at 2000") << "cboSiblingYear" << 100;
    QTest::newRow("sibling's year at 2050") << "cboSiblingYear" << 150;
    QTest::newRow("day at 31") << "cboDate" << 30;
}

void TestForms::yearListOpensBelowWithEightRows()
{
    QFETCH(QString, list);
    QFETCH(int, current);

    auto *box = findControl<QComboBox>(m_main.get(), list.toLatin1().constData());
    box->setCurrentIndex(current);
    box->showPopup();
    QAbstractItemView *view = box->view();
    QWidget *popup = view->window();
    QTRY_VERIFY(popup->isVisible());
    const QRect boxRect(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QRect popupRect = popup->geometry();
    int rows = 0;
    for (int row = 0; row < box->count(); ++row)
        rows += view->viewport()->rect().intersects(view->visualRect(box->model()->index(row, 0))) ? 1 : 0;
    const bool currentInView = view->viewport()->rect().contains(view->visualRect(view->currentIndex()));
    const bool scrollBar = view->verticalScrollBar()->isVisible();
    box->hidePopup();

    QVERIFY2(popupRect.top() >= boxRect.bottom() && popupRect.top() <= boxRect.bottom() + 1,
             qPrintable(QStringLiteral("list at %1, box ends at %2").arg(popupRect.top()).arg(boxRect.bottom())));
    QVERIFY(box->screen()->geometry().contains(popupRect));
    QCOMPARE(rows, 8);
    QVERIFY(scrollBar);
    QVERIFY(currentInView);
    QCOMPARE(view->currentIndex().row(), current);
}

// The icon's picture in the about box and on the exit screen, read from the
// drawn window at the display's scaling: the large pictures scaled down to its
// device pixels, not the 32-pixel one enlarged.
void TestForms::pictureIsSharp_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");

    QTest::newRow("about box") << "about" << "picIcon";
    QTest::newRow("exit screen") << "exit" << "picNagscreen2Icon";
}

void TestForms::pictureIsSharp()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    auto *label = qobject_cast<QLabel *>(control(window, name));
    QVERIFY(label);
    const qreal ratio = label->devicePixelRatioF();
    const QRect place = QStyle::alignedRect(label->layoutDirection(), label->alignment(), QSize(32, 32),
                                            label->contentsRect());
    const QImage drawn = label->grab().toImage();
    QCOMPARE(drawn.devicePixelRatio(), ratio);
    const int side = qCeil(32 * ratio - 0.01);
    const QImage picture = drawn.copy(QRect(place.topLeft() * ratio, QSize(side, side)));
    const double off = meanDifference(picture, sharpIcon(side));
    QVERIFY2(off < 8, qPrintable(QStringLiteral("at ratio %1 the picture is %2 off").arg(ratio).arg(off)));
}

// The program's own boxes as drawn, at whatever scaling the test runs with
// (the build runs these tests at 100, 150 and 200 %): the icon drawn for the device
// pixel ratio, every text inside its control with room to spare, the whole
// box on the screen.
void TestForms::messageFits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<platform::Icon>("icon");
    QTest::addColumn<platform::Buttons>("buttons");

    QTest::newRow("input check") << QStringLiteral("Please Enter Correct Date of Birth Of Your Sibling!")
                                 << platform::Icon::Information << platform::Buttons::Ok;
    QTest::newRow("second copy") << QStringLiteral("Application is already running") << platform::Icon::Information
                                 << platform::Buttons::Ok;
    QTest::newRow("update question") << QStringLiteral("There maybe an update to this software available\n"
                                                       "Do you want to check for an update?")
                                     << platform::Icon::Information << platform::Buttons::YesNo;
    QTest::newRow("exit screen's stop") << QStringLiteral("Email Address Cannot Contain Space")
                                        << platform::Icon::Critical << platform::Buttons::Ok;
}

void TestForms::messageFits()
{
    QFETCH(QString, text);
    QFETCH(platform::Icon, icon);
    QFETCH(platform::Buttons, buttons);

    QStringList failures;
    const auto check = [&failures](bool ok, const QString &what) {
        if (!ok)
            failures << what;
    };
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            failures << QStringLiteral("no box");
            return;
        }
        check(QTest::qWaitForWindowExposed(box), QStringLiteral("box not shown"));
        const qreal ratio = box->devicePixelRatioF();
        check(box->screen()->availableGeometry().contains(box->frameGeometry()), QStringLiteral("box off the screen"));
        const auto *picture = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label"));
        const QPixmap shown = picture ? picture->pixmap() : QPixmap();
        check(!shown.isNull() && shown.devicePixelRatio() == ratio,
              QStringLiteral("icon not drawn for ratio %1 (its own: %2)").arg(ratio).arg(shown.devicePixelRatio()));
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        check(label && label->height() >= label->heightForWidth(label->width()), QStringLiteral("text cut off"));
        // The text's ink, read from the drawn label, is all the ink of the
        // same text drawn with room to spare: nothing of it is cut off.
        if (label) {
            const QImage drawn = label->grab().toImage();
            QImage roomy((label->size() + QSize(40, 40)) * ratio, QImage::Format_ARGB32_Premultiplied);
            roomy.setDevicePixelRatio(ratio);
            roomy.fill(drawn.pixelColor(0, 0));
            {
                QPainter painter(&roomy);
                painter.setFont(label->font());
                painter.setPen(label->palette().color(QPalette::WindowText));
                // The label's width, so the lines break where the label breaks them.
                painter.drawText(QRect(20, 20, label->width(), label->height() + 20),
                                 int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
            }
            const QRect ink = inkRect(drawn), full = inkRect(roomy);
            check(!ink.isEmpty() && qAbs(ink.width() - full.width()) <= 1 && qAbs(ink.height() - full.height()) <= 1,
                  QStringLiteral("text ink %1x%2 of %3x%4").arg(ink.width()).arg(ink.height())
                      .arg(full.width()).arg(full.height()));
        }
        for (QAbstractButton *button : box->buttons())
            check(button->width() >= button->sizeHint().width(), button->text() + QStringLiteral(" squeezed"));
        box->buttons().front()->click();
    });
    platform::QtDesktop desktop;
    desktop.message(text, icon, buttons);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
