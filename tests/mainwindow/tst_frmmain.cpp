// The main window driven through its real controls: layout, lists, the name
// filter, the input check, the keyboard and the closing commands.

#include "TestSeed.h"
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

#include <algorithm>

class TestFrmMain : public QObject, public WindowFixture<FrmMain>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();


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
    void randomCodesThroughTheNameBox();

    void inputCheck_data();
    void inputCheck();
    void inputCheckOneMessageAtATime();

    void startFocusAndOrder();
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

// Every rule of the input check, through the real window: the one message
// (information icon, OK), where the focus goes, and inputs kept; a check that
// passes shows no message and hands a result on.
void TestFrmMain::inputCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("siblingDay");
    QTest::addColumn<int>("siblingMonth");
    QTest::addColumn<QString>("message");   // empty: the check passes

    const QString name = QStringLiteral("Please Enter Your Name");
    const QString userFebruary = QStringLiteral("Please Enter Your Correct Date of Birth!");
    const QString userShortMonth = QStringLiteral("Please Enter Correct Date of Birth !");
    const QString sibling = QStringLiteral("Please Enter Correct Date of Birth Of Your Sibling!");

    QTest::newRow("starting positions") << "ANN" << 0 << 0 << 0 << 0 << "";
    QTest::newRow("empty name") << "" << 0 << 0 << 0 << 0 << name;
    QTest::newRow("one blank is a name") << " " << 0 << 0 << 0 << 0 << "";
    QTest::newRow("29 February both") << "ANN" << 28 << 1 << 28 << 1 << "";
    QTest::newRow("30 February user") << "ANN" << 29 << 1 << 0 << 0 << userFebruary;
    QTest::newRow("31 February user") << "ANN" << 30 << 1 << 0 << 0 << userFebruary;
    QTest::newRow("31 April user") << "ANN" << 30 << 3 << 0 << 0 << userShortMonth;
    QTest::newRow("31 June user") << "ANN" << 30 << 5 << 0 << 0 << userShortMonth;
    QTest::newRow("31 September user") << "ANN" << 30 << 8 << 0 << 0 << userShortMonth;
    QTest::newRow("31 November user") << "ANN" << 30 << 10 << 0 << 0 << userShortMonth;
    QTest::newRow("30 April user") << "ANN" << 29 << 3 << 0 << 0 << "";
    QTest::newRow("30 February sibling") << "ANN" << 0 << 0 << 29 << 1 << sibling;
    QTest::newRow("31 February sibling") << "ANN" << 0 << 0 << 30 << 1 << sibling;
    QTest::newRow("31 April sibling") << "ANN" << 0 << 0 << 30 << 3 << sibling;
    QTest::newRow("31 June sibling") << "ANN" << 0 << 0 << 30 << 5 << sibling;
    QTest::newRow("31 September sibling") << "ANN" << 0 << 0 << 30 << 8 << sibling;
    QTest::newRow("31 November sibling") << "ANN" << 0 << 0 << 30 << 10 << sibling;
    QTest::newRow("30 November sibling") << "ANN" << 0 << 0 << 29 << 10 << "";
    for (int month : {0, 2, 4, 6, 7, 9, 11}) {
        const QByteArray row = "31st of month position " + QByteArray::number(month) + " both";
        QTest::newRow(row.constData()) << "ANN" << 30 << month << 30 << month << "";
    }
    QTest::newRow("empty name before a bad date") << "" << 30 << 3 << 0 << 0 << name;
    QTest::newRow("user date before sibling date") << "ANN" << 29 << 1 << 30 << 10 << userFebruary;
    QTest::newRow("user 31 April before sibling") << "ANN" << 30 << 3 << 30 << 1 << userShortMonth;
}

void TestFrmMain::inputCheck()
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

    if (message.isEmpty()) {
        QVERIFY(m_desktop.messages.empty());
        QCOMPARE(created.count(), 1);
        return;
    }
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

// Random codes typed as key presses carrying that character, mixed with
// backspaces, so the box and the message count can be followed step by step:
// what the filter takes arrives as it answers, anything else is refused
// with exactly one message and leaves the box as it was.
void TestFrmMain::randomCodesThroughTheNameBox()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    FakeDesktop &desktop = m_desktop;
    auto *name = control<QLineEdit>("txtName");

    QString expectedText;
    int expectedMessages = 0;
    for (int round = 0; round < 3000; ++round) {
        char16_t code;
        switch (random.bounded(4)) {
        case 0:
            code = char16_t(random.bounded(128));
            break;
        case 1:
            code = char16_t('a' + random.bounded(26));
            break;
        default:
            code = char16_t(random.bounded(0x10000));
            break;
        }
        if (code == '\b') {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            QCoreApplication::sendEvent(name, &press);
            expectedText.chop(1);
        } else {
            // No key code: the character alone is what the box is handed.
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(code)));
            QCoreApplication::sendEvent(name, &press);
            // Capitals stay, small letters become capitals, a blank stays, a
            // carriage return adds nothing; anything else is refused.
            const QString capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
            const QString small = QStringLiteral("abcdefghijklmnopqrstuvwxyz ");
            const auto at = std::max(capitals.indexOf(QChar(code)), small.indexOf(QChar(code)));
            if (at >= 0)
                expectedText.append(capitals.at(at));
            else if (code != '\r')
                ++expectedMessages;
        }
        const QByteArray why = "after code " + QByteArray::number(code) + " in round "
            + QByteArray::number(round) + seedNote(seed);
        QVERIFY2(name->text() == expectedText,
                 QByteArray(why + ": box holds \"" + name->text().toUtf8() + '"'));
        QVERIFY2(int(desktop.messages.size()) == expectedMessages, why);
    }
    for (const FakeDesktop::Message &message : desktop.messages) {
        QCOMPARE(message.text, QStringLiteral("Please Enter Only Letters !"));
        QCOMPARE(message.icon, platform::Icon::Information);
    }
    QVERIFY2(expectedMessages > 1000 && expectedText.size() > 100, seedNote(seed));
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
