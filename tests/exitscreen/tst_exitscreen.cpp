// The exit screen on its own: what it shows at creation, the placeholder and
// blank rules of its boxes, the referral press, its two links and its close.

#include "Build.h"
#include "FakeDesktop.h"
#include "exitscreen/FrmNagScreen2.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using exitscreen::FrmNagScreen2;

namespace {

struct Screen
{
    FakeDesktop desktop;
    std::unique_ptr<FrmNagScreen2> window;

    explicit Screen(double draw = 0.0)
    {
        desktop.draws = {draw};
        window = std::make_unique<FrmNagScreen2>(desktop);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    bool show()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }

    QString text(const QString &box) const
    {
        if (auto *area = find<QPlainTextEdit>(box))
            return area->toPlainText();
        return find<QLineEdit>(box)->text();
    }

    void setText(const QString &box, const QString &value)
    {
        if (auto *area = find<QPlainTextEdit>(box))
            area->setPlainText(value);
        else
            find<QLineEdit>(box)->setText(value);
    }

    // Focus on the box and away again, the way Tab moves it.
    void focus(const QString &box) { find(box)->setFocus(Qt::TabFocusReason); }
    void leave() { find(QStringLiteral("cmdSubmit"))->setFocus(Qt::TabFocusReason); }

    void fill(const QString &name, const QString &email, const QString &message,
              const QString &friendName, const QString &friendEmail)
    {
        setText(QStringLiteral("txtName"), name);
        setText(QStringLiteral("txtEmail"), email);
        setText(QStringLiteral("txtMessage"), message);
        setText(QStringLiteral("txtFriendName"), friendName);
        setText(QStringLiteral("txtFriendEmail"), friendEmail);
    }

    // By a click, or by Enter on the focused button.
    void submit(bool byEnter = false)
    {
        auto *button = find<QPushButton>(QStringLiteral("cmdSubmit"));
        if (!byEnter)
            return QTest::mouseClick(button, Qt::LeftButton);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Return);
    }
};

const QStringList kBoxes = {QStringLiteral("txtName"), QStringLiteral("txtEmail"),
                            QStringLiteral("txtFriendName"), QStringLiteral("txtFriendEmail"),
                            QStringLiteral("txtMessage")};

QStringList strings(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}

} // namespace

class TestExitScreen : public QObject
{
    Q_OBJECT

private slots:
    void promotionFollowsTheDraw_data();
    void promotionFollowsTheDraw();
    void promotionalTextsAreFixedAndDistinct();
    void windowAtCreation();
    void boxesStartAtTheirPlaceholders_data();
    void boxesStartAtTheirPlaceholders();
    void placeholderFocusRules_data();
    void placeholderFocusRules();
    void blankFilter_data();
    void blankFilter();
    void submitRefusesWithOneCriticalMessage_data();
    void submitRefusesWithOneCriticalMessage();
    void submitOpensTheReferralAndKeepsTheBoxes();
    void checkBoxNeverStaysChecked_data();
    void checkBoxNeverStaysChecked();
    void catalogueLinkOpensItsPage();
    void closingEmitsClosedByUserOnce_data();
    void closingEmitsClosedByUserOnce();
};

void TestExitScreen::promotionFollowsTheDraw_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("opening");
    const QString first = QStringLiteral("Thank you for using Quenlory!");
    const QString second = QStringLiteral("Did Quenlory help you understand");
    const QString third = QStringLiteral("Our forum is where people");
    const QString fourth = QStringLiteral("Free programs like Quenlory");
    QTest::newRow("0") << 0.0 << first;
    QTest::newRow("just under a quarter") << 0.2499 << first;
    QTest::newRow("a quarter") << 0.25 << second;
    QTest::newRow("a half") << 0.5 << third;
    QTest::newRow("just under three quarters") << 0.7499 << third;
    QTest::newRow("three quarters") << 0.75 << fourth;
    QTest::newRow("just under 1") << 0.999999 << fourth;
}

void TestExitScreen::promotionFollowsTheDraw()
{
    QFETCH(double, draw);
    QFETCH(QString, opening);
    Screen s(draw);
    QCOMPARE(s.desktop.seeds, 1);
    QVERIFY(s.desktop.draws.empty());
    const QString shown = s.find<QLabel>(QStringLiteral("Label2"))->text();
    QVERIFY2(shown.startsWith(opening), qPrintable(shown));
}

void TestExitScreen::promotionalTextsAreFixedAndDistinct()
{
    QStringList texts;
    for (int n = 0; n < 4; ++n) {
        const QString text = FrmNagScreen2::promotionalText(n);
        QVERIFY2(text.size() >= 160 && text.size() <= 230,
                 qPrintable(QStringLiteral("text %1 has %2 characters").arg(n).arg(text.size())));
        QVERIFY(text.contains(QStringLiteral("forum")));
        QVERIFY(!texts.contains(text));
        texts << text;
    }
}

// Name, caption, topmost and place: tests/app/tst_forms.cpp.
void TestExitScreen::windowAtCreation()
{
    Screen s;
    QVERIFY(s.window->isWindow());
    QVERIFY(!s.window->isModal());
    QVERIFY(s.desktop.events.isEmpty());
    QVERIFY(s.show());
    QVERIFY(!s.window->isModal());
}

void TestExitScreen::boxesStartAtTheirPlaceholders_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("placeholder");
    QTest::newRow("name") << "txtName" << "Your Name";
    QTest::newRow("e-mail") << "txtEmail" << "Your Email Address";
    QTest::newRow("friend's name") << "txtFriendName" << "Friend's Name";
    QTest::newRow("friend's e-mail") << "txtFriendEmail" << "Friend's Email Address";
    QTest::newRow("message") << "txtMessage" << "Your Message";
}

void TestExitScreen::boxesStartAtTheirPlaceholders()
{
    QFETCH(QString, box);
    QFETCH(QString, placeholder);
    Screen s;
    QCOMPARE(s.text(box), placeholder);
    if (auto *area = s.find<QPlainTextEdit>(box))
        QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestExitScreen::placeholderFocusRules_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("afterFocus");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterLeaving");

    QTest::newRow("message: placeholder cleared, put back")
        << "txtMessage" << "Your Message" << "" << "" << "Your Message";
    QTest::newRow("name: placeholder cleared, typed text stays")
        << "txtName" << "Your Name" << "" << "ANN" << "ANN";
    QTest::newRow("name: placeholder with blanks around is cleared")
        << "txtName" << "  Your Name " << "" << "" << "Your Name";
    QTest::newRow("name: blanks only become the placeholder")
        << "txtName" << "   " << "   " << "" << "Your Name";
    QTest::newRow("name: other text is kept")
        << "txtName" << "Your Names" << "Your Names" << "" << "Your Names";
    QTest::newRow("name: placeholder in other case is kept")
        << "txtName" << "your name" << "your name" << "" << "your name";
    QTest::newRow("e-mail: placeholder cleared, put back")
        << "txtEmail" << "Your Email Address" << "" << "" << "Your Email Address";
    QTest::newRow("friend's name: another box's placeholder is kept")
        << "txtFriendName" << "Your Name" << "Your Name" << "" << "Your Name";
    QTest::newRow("friend's e-mail: typed address stays")
        << "txtFriendEmail" << "Friend's Email Address" << "" << "bob@x.example"
        << "bob@x.example";
    QTest::newRow("message: line breaks are no blanks")
        << "txtMessage" << "\n" << "\n" << "" << "\n";
}

void TestExitScreen::placeholderFocusRules()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, afterFocus);
    QFETCH(QString, typed);
    QFETCH(QString, afterLeaving);
    Screen s;
    QVERIFY(s.show());
    s.leave();
    s.setText(box, before);
    s.focus(box);
    QCOMPARE(s.text(box), afterFocus);
    if (!typed.isEmpty())
        QTest::keyClicks(s.find(box), typed);
    s.leave();
    QCOMPARE(s.text(box), afterLeaving);
    QVERIFY(s.desktop.events.isEmpty());
}

void TestExitScreen::blankFilter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");
    QTest::newRow("e-mail") << "txtEmail" << "ann @x" << "ann@x" << 1;
    QTest::newRow("friend's e-mail") << "txtFriendEmail" << " b c " << "bc" << 3;
    QTest::newRow("name keeps blanks") << "txtName" << "Ann Lee" << "Ann Lee" << 0;
    QTest::newRow("friend's name keeps blanks") << "txtFriendName" << "B  C" << "B  C" << 0;
    QTest::newRow("message keeps blanks") << "txtMessage" << "Hi you" << "Hi you" << 0;
    QTest::newRow("e-mail without blanks") << "txtEmail" << "a.b@c" << "a.b@c" << 0;
}

void TestExitScreen::blankFilter()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, messages);
    Screen s;
    QVERIFY(s.show());
    s.focus(box);
    QCOMPARE(s.text(box), QString());
    QTest::keyClicks(s.find(box), typed);
    QCOMPARE(s.text(box), expected);
    QCOMPARE(int(s.desktop.messages.size()), messages);
    for (const auto &message : s.desktop.messages) {
        QCOMPARE(message.text, QStringLiteral("Email Address Cannot Contain Space"));
        QCOMPARE(message.icon, platform::Icon::Critical);
        QCOMPARE(message.buttons, platform::Buttons::Ok);
    }
    QCOMPARE(QApplication::focusWidget(), s.find(box));
}

void TestExitScreen::submitRefusesWithOneCriticalMessage_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every box at its placeholder")
        << QStringList() << "Please Enter Proper Email Address";
    QTest::newRow("both e-mails emptied")
        << strings({"Ann", "", "Hi", "Bob", "  "}) << "Please Enter Distinct Email Addresses";
    QTest::newRow("same e-mail with blanks around")
        << strings({"Ann", " a@b.c", "Hi", "Bob", "a@b.c  "})
        << "Please Enter Distinct Email Addresses";
    QTest::newRow("name left at placeholder")
        << strings({"Your Name", "a@b.c", "Hi", "Bob", "d@e.f"}) << "Please Enter Your Name";
    QTest::newRow("name of blanks only")
        << strings({"   ", "a@b.c", "Hi", "Bob", "d@e.f"}) << "Please Enter Your Name";
    QTest::newRow("message at placeholder with blanks")
        << strings({"Ann", "a@b.c", " Your Message ", "Bob", "d@e.f"})
        << "Please Enter Your Message";
    QTest::newRow("friend's name at placeholder")
        << strings({"Ann", "a@b.c", "Hi", "Friend's Name", "d@e.f"})
        << "Please Enter Your Friend's Name";
}

void TestExitScreen::submitRefusesWithOneCriticalMessage()
{
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    Screen s;
    QVERIFY(s.show());
    s.leave();
    if (!values.isEmpty())
        s.fill(values[0], values[1], values[2], values[3], values[4]);
    QStringList before;
    for (const QString &box : kBoxes)
        before << s.text(box);
    s.submit();
    QCOMPARE(s.desktop.messageTexts(), QStringList{expected});
    QCOMPARE(s.desktop.messages.front().icon, platform::Icon::Critical);
    QVERIFY(s.desktop.openedUrls.isEmpty());
    QStringList after;
    for (const QString &box : kBoxes)
        after << s.text(box);
    QCOMPARE(after, before);
    QVERIFY(s.window->isVisible());
}

void TestExitScreen::submitOpensTheReferralAndKeepsTheBoxes()
{
    Screen s;
    QVERIFY(s.show());
    s.fill(QStringLiteral("  Ann Lee "), QStringLiteral("ann@home.example"),
           QStringLiteral("Try this & tell me =)\nAnn "), QStringLiteral("Bob"),
           QStringLiteral(" bob@work.example"));
    s.submit();
    QVERIFY(s.desktop.messages.empty());
    // Sent trimmed, each value encoded so that its "&" and "=" stay its own.
    QCOMPARE(s.desktop.openedUrls,
             QStringList{sitePage(QStringLiteral("qrzx-refer-a-friend"))
                         + QStringLiteral("&taf1=Ann%20Lee&taf2=ann%40home.example"
                                          "&taf3=Try%20this%20%26%20tell%20me%20%3D%29%0AAnn"
                                          "&taf4=Bob&taf5=bob%40work.example&taf6=")
                         + siteBase() + u'/' + siteFolder() + u'/'});
    QCOMPARE(s.text(QStringLiteral("txtName")), QStringLiteral("  Ann Lee "));
    QVERIFY(s.window->isVisible());

    s.submit(true);
    QCOMPARE(s.desktop.openedUrls.size(), 2);
}

void TestExitScreen::checkBoxNeverStaysChecked_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("space bar") << true;
}

void TestExitScreen::checkBoxNeverStaysChecked()
{
    QFETCH(bool, byKeyboard);
    Screen s;
    QVERIFY(s.show());
    auto *check = s.find<QCheckBox>(QStringLiteral("Check1"));
    for (int i = 1; i <= 2; ++i) {
        if (byKeyboard) {
            check->setFocus();
            QTest::keyClick(check, Qt::Key_Space);
        } else {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        }
        QVERIFY(!check->isChecked());
        QCOMPARE(s.desktop.openedUrls,
                 QStringList(i, sitePage(QStringLiteral("home-page"))));
    }
    // a click that leaves the box unchecked opens nothing
    check->setChecked(true);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    QVERIFY(!check->isChecked());
    QCOMPARE(s.desktop.openedUrls.size(), 2);
    QVERIFY(s.desktop.messages.empty());
}

void TestExitScreen::catalogueLinkOpensItsPage()
{
    Screen s;
    QVERIFY(s.show());
    auto *link = s.find<QLabel>(QStringLiteral("lblGoToHome"));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(s.desktop.openedUrls,
             QStringList{sitePage(QStringLiteral("talvanesoftwares"))});
}

void TestExitScreen::closingEmitsClosedByUserOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("key");
    QTest::newRow("Exit button") << "click" << 0;
    QTest::newRow("close box") << "close box" << 0;
    QTest::newRow("Enter on Exit") << "key" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter on Exit") << "key" << int(Qt::Key_Enter);
    QTest::newRow("Space on Exit") << "key" << int(Qt::Key_Space);
}

void TestExitScreen::closingEmitsClosedByUserOnce()
{
    QFETCH(QString, how);
    QFETCH(int, key);
    Screen s;
    QVERIFY(s.show());
    QSignalSpy closed(s.window.get(), &FrmNagScreen2::closedByUser);
    auto *exit = s.find<QPushButton>(QStringLiteral("cmdClose"));
    if (how == QLatin1String("close box")) {
        s.window->close();
    } else if (how == QLatin1String("click")) {
        QTest::mouseClick(exit, Qt::LeftButton);
    } else {
        exit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(exit, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    QCOMPARE(closed.count(), 1);
    QVERIFY(!s.window->isVisible());
    QVERIFY(s.desktop.events.isEmpty());
}

QTEST_MAIN(TestExitScreen)
#include "tst_exitscreen.moc"
