// The main window driven through its real controls: layout, lists, the name
// filter, the input check, the keyboard and the closing commands.

#include "Windows.h"

#include "mainwindow/FrmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestFrmMain : public QObject, public WindowFixture<FrmMain>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowShape();
    void layout_data();
    void layout();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void fixedTexts_data();
    void fixedTexts();
    void forumAdvertFitsItsBox();
    void textAlignment_data();
    void textAlignment();
    void fullBrandLiesOnTop();
    void menus_data();
    void menus();
    void menuBarOrder();

    void listsAtLoad_data();
    void listsAtLoad();
    void listsArePickOnly();
    void nameFilter_data();
    void nameFilter();
    void controlKeysRefused_data();
    void controlKeysRefused();
    void ctrlWithOtherKeys_data();
    void ctrlWithOtherKeys();
    void editingKeysPass();
    void committedText_data();
    void committedText();
    void altCombinationsTypeNothing_data();
    void altCombinationsTypeNothing();
    void mousePasteIsNotFiltered();

    void inputCheckMessages_data();
    void inputCheckMessages();
    void inputCheckOneMessageAtATime();

    void startFocusAndOrder();
    void keyboard_data();
    void keyboard();
    void enterInAnOpenListPicks();
    void accessKeyPressesExit();
    void closingCommands_data();
    void closingCommands();

private:
};

void TestFrmMain::initTestCase()
{
    prepareFonts();
}

void TestFrmMain::init()
{
    buildWindow();
}

void TestFrmMain::cleanup()
{
    discardWindows();
}

void TestFrmMain::windowShape()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(m_window->windowTitle(), programCaption());
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    showActive();
    QCOMPARE(m_window->centralWidget()->size(), QSize(491, 394));
    QCOMPARE(m_window->centralWidget()->y(), m_window->menuBar()->height());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->size().height(), 394 + m_window->menuBar()->height());
}

void TestFrmMain::layout_data()
{
    addPlacementColumns();
    const auto row = addPlacement;
    row("Frame2", "centralwidget", 0, 0, 492, 41);
    row("Label61", "Frame2", 8, 9, 480, 39);
    row("fraSiblingCompatibility", "centralwidget", 0, 40, 492, 297);
    row("Label4", "fraSiblingCompatibility", 16, 16, 457, 57);
    row("Frame1", "fraSiblingCompatibility", 48, 72, 401, 97);
    row("Label3", "Frame1", 16, 22, 37, 13);
    row("txtName", "Frame1", 112, 16, 249, 25);
    row("Label5", "Frame1", 128, 48, 41, 13);
    row("Label7", "Frame1", 216, 48, 57, 13);
    row("Label6", "Frame1", 312, 48, 41, 13);
    row("Label1", "Frame1", 16, 68, 83, 13);
    row("cboDate", "Frame1", 112, 64, 60, 21);
    row("cboMonth", "Frame1", 184, 64, 100, 21);
    row("cboYear", "Frame1", 296, 64, 68, 21);
    row("Frame3", "fraSiblingCompatibility", 48, 176, 401, 73);
    row("Label22", "Frame3", 128, 24, 41, 13);
    row("Label20", "Frame3", 216, 24, 57, 13);
    row("Label23", "Frame3", 312, 24, 41, 13);
    row("Label21", "Frame3", 16, 44, 85, 13);
    row("cboSiblingDate", "Frame3", 112, 40, 60, 21);
    row("cboSiblingMonth", "Frame3", 184, 40, 100, 21);
    row("cboSiblingYear", "Frame3", 296, 40, 68, 21);
    row("cmdCompatibilityWithSibling", "fraSiblingCompatibility", 48, 256, 401, 33);
    row("Frame5", "centralwidget", 0, 336, 492, 57);
    row("lblCobrand", "Frame5", 8, 11, 383, 41);
    row("lblFullBrand", "Frame5", 8, 11, 383, 41);
    row("cmdExit", "Frame5", 392, 16, 84, 31);
}

void TestFrmMain::layout()
{
    checkPlacement(m_window);
}

void TestFrmMain::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");

    QTest::newRow("frame caption") << "fraSiblingCompatibility" << 8.25 << true << false;
    QTest::newRow("welcome text") << "Label4" << 8.25 << true << false;
    QTest::newRow("name box") << "txtName" << 8.25 << true << false;
    QTest::newRow("a list") << "cboSiblingMonth" << 8.25 << true << false;
    QTest::newRow("Exit") << "cmdExit" << 8.25 << true << false;
    QTest::newRow("test button") << "cmdCompatibilityWithSibling" << 9.0 << true << false;
    QTest::newRow("forum advert") << "Label61" << 9.0 << true << true;
    QTest::newRow("Name") << "Label3" << 8.25 << true << true;
    QTest::newRow("Date Of Birth") << "Label1" << 8.25 << true << true;
    QTest::newRow("Sibling's DOB") << "Label21" << 8.25 << true << true;
    QTest::newRow("heading Date") << "Label5" << 8.25 << false << true;
    QTest::newRow("heading Month") << "Label20" << 8.25 << false << true;
    QTest::newRow("heading Year") << "Label23" << 8.25 << false << true;
    QTest::newRow("co-brand offer") << "lblCobrand" << 8.25 << true << true;
    QTest::newRow("full-brand offer") << "lblFullBrand" << 8.25 << true << true;
}

void TestFrmMain::fonts()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    const QFont font = control<QWidget>(name.toLatin1().constData())->font();
    QCOMPARE(font.family(), QStringLiteral("Verdana"));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
}

void TestFrmMain::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("opaque");

    const QColor brown(94, 70, 47), khaki(221, 228, 169), yellow(255, 255, 192), cyan(0, 255, 255);
    QTest::newRow("window background") << "centralwidget" << QPalette::Window << brown << true;
    QTest::newRow("main frame") << "fraSiblingCompatibility" << QPalette::Window << brown << true;
    QTest::newRow("main frame caption") << "fraSiblingCompatibility" << QPalette::WindowText << yellow << true;
    QTest::newRow("welcome text") << "Label4" << QPalette::WindowText << cyan << false;
    QTest::newRow("Frame1") << "Frame1" << QPalette::Window << khaki << true;
    QTest::newRow("Frame3") << "Frame3" << QPalette::Window << khaki << true;
    QTest::newRow("Frame2") << "Frame2" << QPalette::Window << khaki << true;
    QTest::newRow("Frame5") << "Frame5" << QPalette::Window << khaki << true;
    QTest::newRow("test button") << "cmdCompatibilityWithSibling" << QPalette::Button << khaki << true;
    QTest::newRow("Exit") << "cmdExit" << QPalette::Button << khaki << true;
    QTest::newRow("name box") << "txtName" << QPalette::Base << brown << true;
    QTest::newRow("name text") << "txtName" << QPalette::Text << yellow << true;
    QTest::newRow("day list") << "cboDate" << QPalette::Button << brown << true;
    QTest::newRow("sibling year text") << "cboSiblingYear" << QPalette::ButtonText << yellow << true;
    QTest::newRow("forum advert") << "Label61" << QPalette::WindowText << QColor(Qt::black) << false;
    QTest::newRow("co-brand text") << "lblCobrand" << QPalette::WindowText << QColor(0, 0, 255) << true;
    QTest::newRow("co-brand face") << "lblCobrand" << QPalette::Window
                                   << QGuiApplication::palette().color(QPalette::Button) << true;
    QTest::newRow("full-brand face") << "lblFullBrand" << QPalette::Window
                                     << QGuiApplication::palette().color(QPalette::Button) << true;
}

void TestFrmMain::colours()
{
    QFETCH(QString, name);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    QFETCH(bool, opaque);
    const QWidget *widget = control<QWidget>(name.toLatin1().constData());
    QCOMPARE(widget->palette().color(role), colour);
    QCOMPARE(widget->autoFillBackground(), opaque);
}

void TestFrmMain::fixedTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("welcome, trailing blank kept")
        << "Label4"
        << "Welcome to Quenlory. Take the test today and know the kind of relationship you share with "
           "your brothers and sisters. Maybe knowing more about each other will help you get along "
           "better with each other. ";
    QTest::newRow("Name") << "Label3" << "Name";
    QTest::newRow("Date Of Birth") << "Label1" << "Date Of Birth";
    QTest::newRow("Sibling's DOB") << "Label21" << "Sibling's DOB";
    QTest::newRow("Date") << "Label5" << "Date";
    QTest::newRow("Month") << "Label7" << "Month";
    QTest::newRow("Year") << "Label6" << "Year";
    QTest::newRow("sibling Date") << "Label22" << "Date";
    QTest::newRow("sibling Month") << "Label20" << "Month";
    QTest::newRow("sibling Year") << "Label23" << "Year";
    QTest::newRow("test button") << "cmdCompatibilityWithSibling"
                                 << "Get My Compatibility With My Brother / Sister";
    QTest::newRow("Exit") << "cmdExit" << "&Exit";
    QTest::newRow("co-brand, one ampersand shown")
        << "lblCobrand"
        << "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
           "site's name &  link here. See \"Help\" for details.Click Here for more info on co-branding.";
    QTest::newRow("full brand")
        << "lblFullBrand"
        << "Home Business Opportunity. Start your own Internet business and make money online. Get this "
           "software fully branded for your website. Click here for more details.";
    QTest::newRow("main frame caption") << "fraSiblingCompatibility" << "Sibling Compatibility";
    QTest::newRow("Frame1 caption") << "Frame1" << "Enter Your Details";
    QTest::newRow("Frame3 caption") << "Frame3" << "Enter Your Sibling Details";
    QTest::newRow("Frame2 has none") << "Frame2" << "";
    QTest::newRow("Frame5 has none") << "Frame5" << "";
}

void TestFrmMain::fixedTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QObject *object = control<QWidget>(name.toLatin1().constData());
    if (auto *label = qobject_cast<QLabel *>(object)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    } else if (auto *frame = qobject_cast<QGroupBox *>(object)) {
        QCOMPARE(frame->title(), text);
    } else {
        QCOMPARE(qobject_cast<QPushButton *>(object)->text(), text);
    }
}

void TestFrmMain::forumAdvertFitsItsBox()
{
    const QLabel *advert = control<QLabel>("Label61");
    QVERIFY(advert->text().contains(QStringLiteral("forum")));
    // the site as a reader types it: the configured base without its scheme
    QVERIFY(advert->text().endsWith(siteBase().mid(siteBase().indexOf(QStringLiteral("://")) + 3)));
    // The label reaches below its strip; only the part inside the strip shows.
    const int visibleHeight = advert->parentWidget()->height() - advert->y();
    const QRect needed = advert->fontMetrics().boundingRect(
        advert->contentsRect(), int(advert->alignment() | Qt::TextWordWrap), advert->text());
    QVERIFY2(needed.bottom() < visibleHeight, qPrintable(QString::number(needed.bottom())));
}

void TestFrmMain::textAlignment_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::Alignment>("alignment");

    // Text in a box taller than itself starts at the top.
    QTest::newRow("forum advert") << "Label61" << (Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("welcome text") << "Label4" << (Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("co-brand") << "lblCobrand" << (Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("full brand") << "lblFullBrand" << (Qt::AlignLeft | Qt::AlignTop);
}

void TestFrmMain::textAlignment()
{
    QFETCH(QString, name);
    QFETCH(Qt::Alignment, alignment);
    QCOMPARE(control<QLabel>(name.toLatin1().constData())->alignment(), alignment);
}

void TestFrmMain::fullBrandLiesOnTop()
{
    showActive();
    const QWidget *strip = control<QWidget>("Frame5");
    const QLabel *fullBrand = control<QLabel>("lblFullBrand");
    for (const QPoint &corner : {fullBrand->geometry().topLeft() + QPoint(1, 1),
                                 fullBrand->geometry().bottomRight() - QPoint(1, 1)})
        QCOMPARE(strip->childAt(corner), fullBrand);
}

void TestFrmMain::menus_data()
{
    addMenuItemColumns();

    QTest::newRow("test item") << "mnuGetMyCompatibilityWithSibling" << "mnuFile"
                               << "Get My Compatibility With My Brother / Sister" << false << true;
    QTest::newRow("exit item") << "mnuExit" << "mnuFile" << "E&xit" << false << true;
    QTest::newRow("online help") << "mnuOnline" << "mnuHelp" << "&Online Help" << false << true;
    QTest::newRow("visit") << "mnuVisit" << "mnuHelp" << "&Visit Us Online" << false << true;
    QTest::newRow("first separator") << "mnuHelp1" << "mnuHelp" << "" << true << true;
    QTest::newRow("update, U underlined") << "mnuUpdate" << "mnuHelp" << "Check for Software &Update" << false << true;
    QTest::newRow("second separator") << "mnuHelp2" << "mnuHelp" << "" << true << true;
    QTest::newRow("about") << "mnuAbout" << "mnuHelp" << "&About Software" << false << true;
    QTest::newRow("donate") << "mnuDonate" << "" << "&Donate" << false << true;
    QTest::newRow("make money, hidden") << "mnuMakeMoneyOnline" << "" << "Make Money &Online" << false << false;
}

void TestFrmMain::menus()
{
    checkMenuItem(m_window);
}

void TestFrmMain::menuBarOrder()
{
    auto *file = control<QMenu>("mnuFile");
    auto *help = control<QMenu>("mnuHelp");
    QCOMPARE(file->title(), QStringLiteral("&File"));
    QCOMPARE(help->title(), QStringLiteral("&Help"));
    const QList<QAction *> bar = {file->menuAction(), help->menuAction(), control<QAction>("mnuDonate"),
                                  control<QAction>("mnuMakeMoneyOnline")};
    QCOMPARE(m_window->menuBar()->actions(), bar);
    QStringList helpOrder;
    for (const QAction *action : help->actions())
        helpOrder << action->objectName();
    QCOMPARE(helpOrder.join(u' '), QStringLiteral("mnuOnline mnuVisit mnuHelp1 mnuUpdate mnuHelp2 mnuAbout"));
}

void TestFrmMain::listsAtLoad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("tenth");
    QTest::addColumn<QString>("last");

    for (const char *name : {"cboDate", "cboSiblingDate"})
        QTest::newRow(name) << QString::fromLatin1(name) << 31 << "1" << "10" << "31";
    for (const char *name : {"cboMonth", "cboSiblingMonth"})
        QTest::newRow(name) << QString::fromLatin1(name) << 12 << "January" << "October" << "December";
    for (const char *name : {"cboYear", "cboSiblingYear"})
        QTest::newRow(name) << QString::fromLatin1(name) << 151 << "1900" << "1909" << "2050";
}

void TestFrmMain::listsAtLoad()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, tenth);
    QFETCH(QString, last);
    const QComboBox *list = control<QComboBox>(name.toLatin1().constData());
    QCOMPARE(list->count(), count);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(list->currentText(), first);
    QCOMPARE(list->itemText(9), tenth);
    QCOMPARE(list->itemText(count - 1), last);
    QVERIFY(!list->isEditable());
    QCOMPARE(control<QLineEdit>("txtName")->text(), QString());
}

void TestFrmMain::listsArePickOnly()
{
    auto *month = control<QComboBox>("cboMonth");
    QTest::keyClicks(month, QStringLiteral("xyz"));
    QCOMPARE(month->count(), 12);
    QVERIFY(month->findText(QStringLiteral("xyz")) < 0);
    QVERIFY(m_desktop.messages.empty());
}

void TestFrmMain::nameFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("refusals");

    QTest::newRow("small letters and a blank") << "ann lee" << "ANN LEE" << 0;
    QTest::newRow("hyphen refused once") << "Ann-Lee" << "ANNLEE" << 1;
    QTest::newRow("left bracket 91") << "[" << "" << 1;
    QTest::newRow("grave accent 96") << "`" << "" << 1;
    QTest::newRow("digits") << "a1b2" << "AB" << 2;
    QTest::newRow("apostrophe") << "O'Neil" << "ONEIL" << 1;
    QTest::newRow("non-ASCII letter") << QString::fromUtf8("Zo\xC3\xAB") << "ZO" << 1;
    QTest::newRow("capitals stay") << "MARY" << "MARY" << 0;
    QTest::newRow("only blanks") << "  " << "  " << 0;
}

void TestFrmMain::nameFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, refusals);
    auto *name = control<QLineEdit>("txtName");
    for (const QChar c : typed) {
        // Sent key by key with its text, as a keyboard would; keyClicks()
        // cannot type letters outside ASCII.
        const auto key = Qt::Key(c.isLetter() && c.unicode() < 128 ? c.toUpper().unicode() : 0);
        QTest::sendKeyEvent(QTest::Press, name, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, name, key, QString(c), Qt::NoModifier);
    }
    QCOMPARE(name->text(), shown);
    QCOMPARE(int(m_desktop.messages.size()), refusals);
    for (const FakeDesktop::Message &message : m_desktop.messages) {
        QCOMPARE(message.text, QStringLiteral("Please Enter Only Letters !"));
        QCOMPARE(message.icon, platform::Icon::Information);
        QCOMPARE(message.buttons, platform::Buttons::Ok);
    }
}

void TestFrmMain::controlKeysRefused_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("Ctrl+C") << int(Qt::Key_C);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A);
}

void TestFrmMain::controlKeysRefused()
{
    QFETCH(int, key);
    auto *name = control<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("abc"));
    name->setSelection(0, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    QTest::keyClick(name, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(m_desktop.messageTexts(), QStringList{QStringLiteral("Please Enter Only Letters !")});
    QCOMPARE(name->text(), QStringLiteral("ABC"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("zz"));
}

void TestFrmMain::ctrlWithOtherKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("refusals");

    // "ANN LEE" typed first. Windows types 127 for Ctrl+Backspace, X11 a
    // backspace, which passes and deletes the word before the cursor.
    QTest::newRow("Ctrl+Backspace, Windows") << int(Qt::Key_Backspace) << "\x7f" << "ANN LEE" << 1;
    QTest::newRow("Ctrl+Backspace, X11") << int(Qt::Key_Backspace) << "\b" << "ANN " << 0;
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << "1" << "ANN LEE" << 1;
    // Passed by the filter; the box itself types nothing with Ctrl held.
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << " " << "ANN LEE" << 0;
    QTest::newRow("Ctrl+Left, no character") << int(Qt::Key_Left) << "" << "ANN LEE" << 0;
}

void TestFrmMain::ctrlWithOtherKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, refusals);
    auto *name = control<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("ann lee"));
    QTest::sendKeyEvent(QTest::Press, name, Qt::Key(key), text, Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Release, name, Qt::Key(key), text, Qt::ControlModifier);
    QCOMPARE(name->text(), shown);
    QCOMPARE(int(m_desktop.messages.size()), refusals);
    if (refusals > 0)
        QCOMPARE(m_desktop.messageTexts().constFirst(), QStringLiteral("Please Enter Only Letters !"));
}

void TestFrmMain::committedText_data()
{
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("refusals");

    // "AB" typed first, the cursor at the end.
    QTest::newRow("small letters made capitals") << "cd" << "ABCD" << 0;
    QTest::newRow("a blank and capitals") << " LEE" << "AB LEE" << 0;
    QTest::newRow("composed e acute refused") << QString(QChar(0xE9)) << "AB" << 1;
    QTest::newRow("letters with a hyphen refused whole") << "c-d" << "AB" << 1;
    QTest::newRow("Chinese refused") << QString::fromUtf8("\xe6\x9d\x8e") << "AB" << 1;
}

void TestFrmMain::committedText()
{
    QFETCH(QString, committed);
    QFETCH(QString, shown);
    QFETCH(int, refusals);
    auto *name = control<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("ab"));
    // A composition in progress, then its commit.
    QInputMethodEvent composing(QStringLiteral("x"), {});
    QCoreApplication::sendEvent(name, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(committed);
    QCoreApplication::sendEvent(name, &commit);
    QCOMPARE(name->text(), shown);
    QCOMPARE(int(m_desktop.messages.size()), refusals);
    if (refusals > 0)
        QCOMPARE(m_desktop.messageTexts().constFirst(), QStringLiteral("Please Enter Only Letters !"));
    // Nothing of the composition is left over.
    QVERIFY(name->inputMethodQuery(Qt::ImSurroundingText).toString() == shown);
}

void TestFrmMain::editingKeysPass()
{
    auto *name = control<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("abcd"));
    QTest::keyClick(name, Qt::Key_Backspace);   // ABC
    QTest::keyClick(name, Qt::Key_Home);
    QTest::keyClick(name, Qt::Key_Delete);      // BC
    QTest::keyClick(name, Qt::Key_Right);
    QTest::keyClick(name, Qt::Key_E);           // BEC
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClick(name, Qt::Key_Left);
    QTest::keyClick(name, Qt::Key_Space);       // BE C
    QCOMPARE(name->text(), QStringLiteral("BE C"));
    QVERIFY(m_desktop.messages.empty());
}

void TestFrmMain::altCombinationsTypeNothing_data()
{
    QTest::addColumn<char>("character");

    // Keys that are no access key of this window: X11 delivers them with
    // their text, which must not reach the box past the filter.
    QTest::newRow("Alt+1") << '1';
    QTest::newRow("Alt+a") << 'a';
    QTest::newRow("Alt+comma") << ',';
}

void TestFrmMain::altCombinationsTypeNothing()
{
    QFETCH(char, character);
    showActive();
    auto *name = control<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("abc"));
    QTest::keyClick(name, character, Qt::AltModifier);
    QCOMPARE(name->text(), QStringLiteral("ABC"));
    QVERIFY(m_desktop.messages.empty());
    QVERIFY(m_window->isVisible());
}

void TestFrmMain::mousePasteIsNotFiltered()
{
    auto *name = control<QLineEdit>("txtName");
    QGuiApplication::clipboard()->setText(QStringLiteral("ann-1"));
    name->paste();   // what the box's context menu does
    QCOMPARE(name->text(), QStringLiteral("ann-1"));
    QVERIFY(m_desktop.messages.empty());
}

void TestFrmMain::inputCheckMessages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("siblingDay");
    QTest::addColumn<int>("siblingMonth");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty name") << "" << 0 << 0 << 0 << 0 << "Please Enter Your Name";
    QTest::newRow("empty name and 31 April") << "" << 30 << 3 << 0 << 0 << "Please Enter Your Name";
    QTest::newRow("user 30 February") << "ANN" << 29 << 1 << 0 << 0
                                      << "Please Enter Your Correct Date of Birth!";
    QTest::newRow("user 31 February") << "ANN" << 30 << 1 << 0 << 0
                                      << "Please Enter Your Correct Date of Birth!";
    QTest::newRow("user 31 April") << "ANN" << 30 << 3 << 0 << 0 << "Please Enter Correct Date of Birth !";
    QTest::newRow("user 31 September") << "ANN" << 30 << 8 << 0 << 0 << "Please Enter Correct Date of Birth !";
    QTest::newRow("sibling 30 February") << "ANN" << 0 << 0 << 29 << 1
                                         << "Please Enter Correct Date of Birth Of Your Sibling!";
    QTest::newRow("sibling 31 June") << "ANN" << 0 << 0 << 30 << 5
                                     << "Please Enter Correct Date of Birth Of Your Sibling!";
    QTest::newRow("sibling 31 November") << "ANN" << 0 << 0 << 30 << 10
                                         << "Please Enter Correct Date of Birth Of Your Sibling!";
}

void TestFrmMain::inputCheckMessages()
{
    QFETCH(QString, name);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, siblingDay);
    QFETCH(int, siblingMonth);
    QFETCH(QString, message);

    showActive();
    control<QLineEdit>("txtName")->setText(name);
    control<QComboBox>("cboDate")->setCurrentIndex(day);
    control<QComboBox>("cboMonth")->setCurrentIndex(month);
    control<QComboBox>("cboYear")->setCurrentIndex(77);
    control<QComboBox>("cboSiblingDate")->setCurrentIndex(siblingDay);
    control<QComboBox>("cboSiblingMonth")->setCurrentIndex(siblingMonth);
    control<QComboBox>("cboSiblingYear")->setCurrentIndex(120);
    auto *button = control<QPushButton>("cmdCompatibilityWithSibling");
    button->setFocus();
    QSignalSpy created(m_window.data(), &FrmMain::resultReady);

    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(m_desktop.messageTexts(), QStringList{message});
    QCOMPARE(m_desktop.messages.front().icon, platform::Icon::Information);
    QCOMPARE(m_desktop.messages.front().buttons, platform::Buttons::Ok);
    QWidget *expectedFocus = name.isEmpty() ? static_cast<QWidget *>(control<QLineEdit>("txtName")) : button;
    QCOMPARE(m_window->focusWidget(), expectedFocus);
    QCOMPARE(created.count(), 0);
    QVERIFY(m_window->isVisible());
    QCOMPARE(control<QLineEdit>("txtName")->text(), name);
    const std::pair<const char *, int> positions[] = {
        {"cboDate", day}, {"cboMonth", month}, {"cboYear", 77}, {"cboSiblingDate", siblingDay},
        {"cboSiblingMonth", siblingMonth}, {"cboSiblingYear", 120}};
    for (const auto &[list, position] : positions)
        QCOMPARE(control<QComboBox>(list)->currentIndex(), position);
}

void TestFrmMain::inputCheckOneMessageAtATime()
{
    control<QLineEdit>("txtName")->setText(QStringLiteral("ANN"));
    control<QComboBox>("cboDate")->setCurrentIndex(29);
    control<QComboBox>("cboMonth")->setCurrentIndex(1);
    control<QComboBox>("cboSiblingDate")->setCurrentIndex(30);
    control<QComboBox>("cboSiblingMonth")->setCurrentIndex(10);

    QVERIFY(!m_window->ValidateInputs());
    QCOMPARE(m_desktop.messageTexts(), QStringList{QStringLiteral("Please Enter Your Correct Date of Birth!")});

    control<QComboBox>("cboDate")->setCurrentIndex(28);
    QVERIFY(!m_window->ValidateInputs());
    QCOMPARE(m_desktop.messageTexts().size(), 2);
    QCOMPARE(m_desktop.messageTexts().last(), QStringLiteral("Please Enter Correct Date of Birth Of Your Sibling!"));

    control<QComboBox>("cboSiblingDate")->setCurrentIndex(29);
    QVERIFY(m_window->ValidateInputs());
    QCOMPARE(m_desktop.messageTexts().size(), 2);
}

void TestFrmMain::startFocusAndOrder()
{
    showActive();
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("txtName"));
    const char *order[] = {"cboDate", "cboMonth", "cboYear", "cboSiblingDate", "cboSiblingMonth",
                           "cboSiblingYear", "cmdCompatibilityWithSibling", "cmdExit", "txtName"};
    for (const char *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    QVERIFY(m_desktop.messages.empty());
}

void TestFrmMain::keyboard_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("exits");
    QTest::addColumn<bool>("runs");

    QTest::newRow("Enter in the name box") << "txtName" << int(Qt::Key_Return) << true << false;
    QTest::newRow("keypad Enter in the name box") << "txtName" << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Esc in the name box") << "txtName" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Enter in a list") << "cboMonth" << int(Qt::Key_Return) << true << false;
    QTest::newRow("Esc in a list") << "cboSiblingYear" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Enter on the test button") << "cmdCompatibilityWithSibling" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Space on the test button") << "cmdCompatibilityWithSibling" << int(Qt::Key_Space) << false << true;
    QTest::newRow("Esc on the test button") << "cmdCompatibilityWithSibling" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Enter on Exit") << "cmdExit" << int(Qt::Key_Return) << true << false;
    QTest::newRow("Space on Exit") << "cmdExit" << int(Qt::Key_Space) << true << false;
}

void TestFrmMain::keyboard()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, exits);
    QFETCH(bool, runs);

    showActive();
    control<QLineEdit>("txtName")->setText(QStringLiteral("ANN"));
    QWidget *target = control<QWidget>(focus.toLatin1().constData());
    target->setFocus();
    QSignalSpy closed(m_window.data(), &FrmMain::closedByUser);
    QSignalSpy created(m_window.data(), &FrmMain::resultReady);

    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(closed.count(), exits ? 1 : 0);
    QCOMPARE(created.count(), runs ? 1 : 0);
    QVERIFY(m_desktop.messages.empty());
    if (!exits)
        QCOMPARE(control<QLineEdit>("txtName")->text(), QStringLiteral("ANN"));
    // Exit is drawn as the window's default button; the test button is not.
    QVERIFY(control<QPushButton>("cmdExit")->isDefault());
    QVERIFY(!control<QPushButton>("cmdCompatibilityWithSibling")->isDefault());
}

void TestFrmMain::enterInAnOpenListPicks()
{
    showActive();
    auto *month = control<QComboBox>("cboMonth");
    month->setFocus();
    month->showPopup();
    QWidget *popup = month->view();
    QTRY_VERIFY(popup->isVisible());
    QSignalSpy closed(m_window.data(), &FrmMain::closedByUser);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(month->currentIndex(), 1);
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(closed.count(), 0);
    // With the list closed again, Enter is the window's once more.
    QTest::keyClick(month, Qt::Key_Return);
    QCOMPARE(closed.count(), 1);
}

void TestFrmMain::accessKeyPressesExit()
{
    showActive();
    QSignalSpy closed(m_window.data(), &FrmMain::closedByUser);
    QTest::keyClick(control<QWidget>("txtName"), Qt::Key_E, Qt::AltModifier);
    // An access key presses its button visibly, so the click comes a moment later.
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(m_desktop.messages.empty());
}

void TestFrmMain::closingCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Exit button") << "cmdExit";
    QTest::newRow("File, Exit") << "mnuExit";
    QTest::newRow("close box") << "";
}

void TestFrmMain::closingCommands()
{
    QFETCH(QString, command);
    showActive();
    QSignalSpy closed(m_window.data(), &FrmMain::closedByUser);
    if (command == QLatin1String("cmdExit"))
        QTest::mouseClick(control<QPushButton>("cmdExit"), Qt::LeftButton);
    else if (command == QLatin1String("mnuExit"))
        control<QAction>("mnuExit")->trigger();
    else
        m_window->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
