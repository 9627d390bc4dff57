// The test run: signs from the four date lists, the pair lookup, the six
// values in the result window, and the swap between the two windows as the
// shell makes it, including Back and a second run.

#include "Controls.h"
#include "FakeDesktop.h"
#include "Windows.h"

#include "mainwindow/TestRun.h"
#include "windowkit/Look.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>

namespace {

const QString kNotAlong = QStringLiteral("You Both Do Not Get Along At all");
const QString kAlongOk = QStringLiteral("You Get Along OK");
const QString kVeryWell = QStringLiteral("You Both Get Along Very Well");

// The opening words of each sign's child profile.
QString profileOpening(const QString &sign)
{
    static const QHash<QString, QString> openings = {
        {QStringLiteral("Aries"), QStringLiteral("The Aries child is a natural lover")},
        {QStringLiteral("Taurus"), QStringLiteral("Taurus being ruled by the earth sign")},
        {QStringLiteral("Cancer"), QStringLiteral("You are very attached to your home")},
        {QStringLiteral("Leo"), QStringLiteral("Leo children are more careless")},
        {QStringLiteral("Libra"), QStringLiteral("Physically speaking, Libra children")},
        {QStringLiteral("Scorpio"), QStringLiteral("Governed by their water sign, the Scorpio child")},
        {QStringLiteral("Sagittarius"), QStringLiteral("From a tender age, Sagittarian children")},
        {QStringLiteral("Capricorn"), QStringLiteral("A Capricorn child is told to be born wise")},
        {QStringLiteral("Aquarius"), QStringLiteral("An Aquarian child is very articulate")},
        {QStringLiteral("Pisces"), QStringLiteral("Pisces children are daydreamers.")},
    };
    if (!openings.contains(sign))
        qFatal("no opening for %s", qPrintable(sign));
    return openings.value(sign);
}

// The verdict on each pair these tests run: its level sentence and the
// opening words of its pair sentence.
std::pair<QString, QString> verdict(const QString &user, const QString &sibling)
{
    static const QHash<QString, std::pair<QString, QString>> verdicts = {
        {QStringLiteral("Capricorn-Capricorn"), {kAlongOk, QStringLiteral("Each of you likes to be the one in charge")}},
        {QStringLiteral("Cancer-Aries"), {kNotAlong, QStringLiteral("Aries speaks fast and bluntly")}},
        {QStringLiteral("Aries-Cancer"), {kNotAlong, QStringLiteral("Aries speaks fast and bluntly")}},
        {QStringLiteral("Cancer-Scorpio"), {kVeryWell, QStringLiteral("Your feelings run deep")}},
        {QStringLiteral("Leo-Scorpio"), {kNotAlong, QStringLiteral("Each of you wants to be in charge")}},
        {QStringLiteral("Leo-Sagittarius"), {kVeryWell, QStringLiteral("Warm, generous and full of energy")}},
        {QStringLiteral("Leo-Capricorn"), {kNotAlong, QStringLiteral("You do not get along very well")}},
        {QStringLiteral("Aquarius-Pisces"), {kAlongOk, QStringLiteral("Aquarius lives in the head")}},
        {QStringLiteral("Taurus-Libra"), {kAlongOk, QStringLiteral("Taurus can be slow to move")}},
        {QStringLiteral("Cancer-Capricorn"), {kVeryWell, QStringLiteral("You learn to compromise and get along with each other.")}},
        {QStringLiteral("Capricorn-Cancer"), {kAlongOk, QStringLiteral("You learn to compromise and get along with each other.")}},
    };
    const QString key = user + u'-' + sibling;
    if (!verdicts.contains(key))
        qFatal("no verdict for %s", qPrintable(key));
    return verdicts.value(key);
}

// The six values of a result, in the order the run writes them.
QStringList asList(const windowkit::ResultValues &values)
{
    return {values.yourSunSign,        values.yourProfile.value_or(QString()),
            values.yourSiblingSunSign, values.yourSiblingProfile.value_or(QString()),
            values.pairSentence,       values.levelSentence};
}

// The six value controls of a result window, in the same order.
QStringList shownValues(FrmDisplay *display)
{
    const auto label = [display](const char *name) {
        return display->findChild<QLabel *>(QLatin1String(name))->text();
    };
    const auto box = [display](const char *name) {
        return display->findChild<QPlainTextEdit *>(QLatin1String(name))->toPlainText();
    };
    return {label("lblYourSunSign"),        box("txtYourProfile"),
            label("lblYourSiblingSunSign"), box("txtYourSiblingProfile"),
            label("lblCompatibilityResult"), label("lblSiblingCompatibility")};
}

void checkValues(const QStringList &shown, const QString &user, const QString &sibling)
{
    QCOMPARE(shown.size(), 6);
    const auto [level, pairOpening] = verdict(user, sibling);
    QCOMPARE(shown.at(0), user);
    QVERIFY2(shown.at(1).startsWith(profileOpening(user)), qPrintable(shown.at(1).left(60)));
    QCOMPARE(shown.at(2), sibling);
    QVERIFY2(shown.at(3).startsWith(profileOpening(sibling)), qPrintable(shown.at(3).left(60)));
    QVERIFY2(shown.at(4).startsWith(pairOpening) && shown.at(4).size() >= 54, qPrintable(shown.at(4)));
    QCOMPARE(shown.at(5), level);
}

// Records, in order, the show, hide and close events of the windows it
// watches, and calls a probe at each so that a test can look at the state
// of that moment.
class WindowEvents : public QObject
{
public:
    QStringList log;
    std::function<void(const QString &)> probe;

    void watch(QWidget *window, const QString &name)
    {
        window->setProperty("logName", name);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const char *what = event->type() == QEvent::Show ? "shown"
            : event->type() == QEvent::Hide             ? "hidden"
            : event->type() == QEvent::Close            ? "closed"
                                                        : nullptr;
        if (what) {
            const QString entry = watched->property("logName").toString() + u' ' + QLatin1String(what);
            log << entry;
            if (probe)
                probe(entry);
        }
        return false;
    }
};

} // namespace

class TestTestRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workOut_data();
    void workOut();
    void noSignKeepsStoredSign();
    void noSignBeforeAnyRun();

    void runSwapsWindows();
    void valuesHandedOnBeforeTheSwap();
    void backClosesResultBeforeShowingMain();
    void buttonAndMenuAgree();
    void firstJanuaryForBoth();
    void cancerUserGetsSecondPersonProfile();
    void nameAndYearsChangeNothing_data();
    void nameAndYearsChangeNothing();
    void failedRunChangesNothing();
    void backKeepsInputsAndNextRunIsNew();
    void backThenOnlySiblingChanges();
    void clipboardEmptiedWhenResultShown_data();
    void clipboardEmptiedWhenResultShown();
    void byKeyboardOnly();
    void exitFromResultWindow();

private:
    template <typename T>
    T *control(const char *name) const
    {
        return findControl<T>(m_window, name);
    }
    void setDates(int day, int month, int siblingDay, int siblingMonth);
    FrmDisplay *runByButton();

    std::unique_ptr<ShellRun> m_run;
    QPointer<FrmMain> m_window;
};

void TestTestRun::initTestCase()
{
    windowkit::installFontSubstitutes();
}

void TestTestRun::init()
{
    m_run = std::make_unique<ShellRun>();
    m_window = m_run->shell.showMainWindow();
    control<QLineEdit>("txtName")->setText(QStringLiteral("ANN"));
}

void TestTestRun::cleanup()
{
    m_run.reset();
    deleteTopLevelWindows();
}

void TestTestRun::setDates(int day, int month, int siblingDay, int siblingMonth)
{
    control<QComboBox>("cboDate")->setCurrentIndex(day);
    control<QComboBox>("cboMonth")->setCurrentIndex(month);
    control<QComboBox>("cboSiblingDate")->setCurrentIndex(siblingDay);
    control<QComboBox>("cboSiblingMonth")->setCurrentIndex(siblingMonth);
}

FrmDisplay *TestTestRun::runByButton()
{
    QTest::mouseClick(control<QPushButton>("cmdCompatibilityWithSibling"), Qt::LeftButton);
    return ShellRun::resultWindow();
}

void TestTestRun::workOut_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("siblingMonth");
    QTest::addColumn<int>("siblingDay");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("sibling");

    QTest::newRow("1 January for both") << 0 << 0 << 0 << 0 << "Capricorn" << "Capricorn";
    QTest::newRow("10 July and 25 March") << 6 << 9 << 2 << 24 << "Cancer" << "Aries";
    QTest::newRow("25 March and 10 July") << 2 << 24 << 6 << 9 << "Aries" << "Cancer";
    QTest::newRow("15 August and 15 November") << 7 << 14 << 10 << 14 << "Leo" << "Scorpio";
    QTest::newRow("10 February and 10 March") << 1 << 9 << 2 << 9 << "Aquarius" << "Pisces";
    QTest::newRow("5 May and 5 October") << 4 << 4 << 9 << 4 << "Taurus" << "Libra";
    QTest::newRow("10 July and 10 January") << 6 << 9 << 0 << 9 << "Cancer" << "Capricorn";
    QTest::newRow("10 January and 10 July") << 0 << 9 << 6 << 9 << "Capricorn" << "Cancer";
}

void TestTestRun::workOut()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, siblingMonth);
    QFETCH(int, siblingDay);
    QFETCH(QString, user);
    QFETCH(QString, sibling);

    core::RelationCompatibility shared;
    const windowkit::ResultValues values =
        mainwindow::workOutResult(shared, month, day, siblingMonth, siblingDay);
    checkValues(asList(values), user, sibling);
    QCOMPARE(QString::fromStdString(shared.YourSunSign), user);
    QCOMPARE(QString::fromStdString(shared.YourSiblingSunSign), sibling);
    QCOMPARE(QString::fromStdString(shared.PairSentence), values.pairSentence);
}

void TestTestRun::noSignKeepsStoredSign()
{
    core::RelationCompatibility shared;
    mainwindow::workOutResult(shared, 7, 14, 10, 14);   // Leo and Scorpio
    // A list with no chosen entry reads as position -1 and gives no sign.
    const windowkit::ResultValues values = mainwindow::workOutResult(shared, -1, 14, 0, 0);
    checkValues(asList(values), QStringLiteral("Leo"), QStringLiteral("Capricorn"));
}

void TestTestRun::noSignBeforeAnyRun()
{
    core::RelationCompatibility shared;
    const windowkit::ResultValues values = mainwindow::workOutResult(shared, 0, -1, 0, 0);
    QCOMPARE(values.yourSunSign, QString());
    QVERIFY(!values.yourProfile);
    QVERIFY(values.yourSiblingProfile.value_or(QString()).startsWith(profileOpening(QStringLiteral("Capricorn"))));
}

void TestTestRun::runSwapsWindows()
{
    QSignalSpy created(m_window.data(), &FrmMain::resultReady);
    FrmDisplay *display = runByButton();
    QVERIFY(display);
    QCOMPARE(created.count(), 1);
    QCOMPARE(topLevelWindows<FrmDisplay>(), QList<FrmDisplay *>{display});
    QVERIFY(!m_window->isVisible());
    QVERIFY(display->isVisible());
    QVERIFY(!display->parentWidget());
    QVERIFY(!display->isModal());
    QVERIFY(display->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(m_run->desktop.messages.empty());
}

void TestTestRun::valuesHandedOnBeforeTheSwap()
{
    // What the result window holds, and whether the main window is still
    // up, at the moment the result window is shown.
    struct ShowWatch : QObject {
        QPointer<FrmMain> main;
        bool mainVisible = true;
        QStringList values;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show) {
                if (auto *display = qobject_cast<FrmDisplay *>(watched)) {
                    mainVisible = main->isVisible();
                    values = shownValues(display);
                }
            }
            return false;
        }
    } watch;
    watch.main = m_window;
    setDates(14, 7, 3, 11);
    windowkit::ResultValues handedOn;
    connect(m_window.data(), &FrmMain::resultReady, this,
            [&](const windowkit::ResultValues &values) { handedOn = values; });
    qApp->installEventFilter(&watch);
    runByButton();
    qApp->removeEventFilter(&watch);
    QVERIFY(!watch.mainVisible);
    QCOMPARE(watch.values, asList(handedOn));
    checkValues(watch.values, QStringLiteral("Leo"), QStringLiteral("Sagittarius"));
}

void TestTestRun::backClosesResultBeforeShowingMain()
{
    QPointer<FrmDisplay> display = runByButton();
    QVERIFY(display);
    WindowEvents events;
    events.watch(m_window, QStringLiteral("main"));
    events.watch(display, QStringLiteral("result"));
    bool resultVisibleWhenMainShown = true;
    events.probe = [&](const QString &entry) {
        if (entry == QLatin1String("main shown"))
            resultVisibleWhenMainShown = display && display->isVisible();
    };
    QTest::mouseClick(display->findChild<QPushButton *>(QStringLiteral("cmdBack")), Qt::LeftButton);
    QCOMPARE(events.log, (QStringList{QStringLiteral("result closed"), QStringLiteral("result hidden"),
                                      QStringLiteral("main shown")}));
    QVERIFY(!resultVisibleWhenMainShown);
}

void TestTestRun::buttonAndMenuAgree()
{
    setDates(14, 7, 3, 11);
    const QStringList byButton = shownValues(runByButton());

    // A second program with its own shell and main window runs from the menu.
    cleanup();
    init();
    setDates(14, 7, 3, 11);
    control<QAction>("mnuGetMyCompatibilityWithSibling")->trigger();

    QVERIFY(ShellRun::resultWindow());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(shownValues(ShellRun::resultWindow()), byButton);
    checkValues(byButton, QStringLiteral("Leo"), QStringLiteral("Sagittarius"));
}

void TestTestRun::firstJanuaryForBoth()
{
    checkValues(shownValues(runByButton()), QStringLiteral("Capricorn"), QStringLiteral("Capricorn"));
}

void TestTestRun::cancerUserGetsSecondPersonProfile()
{
    setDates(9, 6, 0, 0);   // 10 July
    checkValues(shownValues(runByButton()), QStringLiteral("Cancer"), QStringLiteral("Capricorn"));
}

void TestTestRun::nameAndYearsChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("siblingYear");

    QTest::newRow("other name") << "ZEBEDEE" << 0 << 0;
    QTest::newRow("one blank as name") << " " << 0 << 0;
    QTest::newRow("other years") << "ANN" << 100 << 150;
    QTest::newRow("leap year and not") << "ANN" << 104 << 101;
}

void TestTestRun::nameAndYearsChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(int, year);
    QFETCH(int, siblingYear);
    setDates(28, 1, 20, 4);   // 29 February and 21 May
    const QStringList baseline = shownValues(runByButton());
    ShellRun::resultWindow()->back();

    control<QLineEdit>("txtName")->setText(name);
    control<QComboBox>("cboYear")->setCurrentIndex(year);
    control<QComboBox>("cboSiblingYear")->setCurrentIndex(siblingYear);
    QCOMPARE(shownValues(runByButton()), baseline);
    QVERIFY(m_run->desktop.messages.empty());
}

void TestTestRun::failedRunChangesNothing()
{
    setDates(14, 7, 3, 11);
    runByButton();
    ShellRun::resultWindow()->back();
    QSignalSpy created(m_window.data(), &FrmMain::resultReady);

    setDates(30, 3, 0, 0);   // 31 April
    QVERIFY(!runByButton());
    QCOMPARE(m_run->desktop.messageTexts(), QStringList{QStringLiteral("Please Enter Correct Date of Birth !")});
    QCOMPARE(created.count(), 0);
    QVERIFY(m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(topLevelWindows<FrmDisplay>().isEmpty());
}

void TestTestRun::backKeepsInputsAndNextRunIsNew()
{
    control<QLineEdit>("txtName")->setText(QStringLiteral("MARY ANN"));
    setDates(20, 4, 11, 9);
    control<QComboBox>("cboYear")->setCurrentIndex(80);
    QSignalSpy mainClosed(m_window.data(), &FrmMain::closedByUser);
    QPointer<FrmDisplay> first = runByButton();
    QSignalSpy firstClosed(first.data(), &FrmDisplay::closedByUser);

    QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("cmdBack")), Qt::LeftButton);

    QVERIFY(m_window->isVisible());
    QVERIFY(!ShellRun::resultWindow());
    QCOMPARE(control<QLineEdit>("txtName")->text(), QStringLiteral("MARY ANN"));
    QCOMPARE(control<QComboBox>("cboDate")->currentIndex(), 20);
    QCOMPARE(control<QComboBox>("cboMonth")->currentIndex(), 4);
    QCOMPARE(control<QComboBox>("cboYear")->currentIndex(), 80);
    QCOMPARE(control<QComboBox>("cboSiblingDate")->currentIndex(), 11);
    QCOMPARE(control<QComboBox>("cboSiblingMonth")->currentIndex(), 9);
    QCOMPARE(control<QComboBox>("cboDate")->count(), 31);
    QCOMPARE(mainClosed.count(), 0);
    QCOMPARE(firstClosed.count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);

    QSignalSpy created(m_window.data(), &FrmMain::resultReady);
    FrmDisplay *second = runByButton();
    QCOMPARE(created.count(), 1);
    QVERIFY(second && second->isVisible());
}

void TestTestRun::backThenOnlySiblingChanges()
{
    setDates(9, 6, 24, 2);   // 10 July, 25 March
    FrmDisplay *first = runByButton();
    checkValues(shownValues(first), QStringLiteral("Cancer"), QStringLiteral("Aries"));
    first->findChild<QAction *>(QStringLiteral("mnuFileBack"))->trigger();

    control<QComboBox>("cboSiblingDate")->setCurrentIndex(14);
    control<QComboBox>("cboSiblingMonth")->setCurrentIndex(10);   // 15 November
    checkValues(shownValues(runByButton()), QStringLiteral("Cancer"), QStringLiteral("Scorpio"));
}

void TestTestRun::clipboardEmptiedWhenResultShown_data()
{
    QTest::addColumn<bool>("clipboardFails");
    QTest::newRow("clipboard emptied") << false;
    QTest::newRow("clipboard failing") << true;
}

// A clipboard that cannot be emptied stops neither the run, a mouse press in
// a profile box, nor Back.
void TestTestRun::clipboardEmptiedWhenResultShown()
{
    QFETCH(bool, clipboardFails);
    if (clipboardFails)
        m_run->desktop.failOn = QStringLiteral("clipboard");
    setDates(9, 6, 24, 2);   // 10 July, 25 March
    QPointer<FrmDisplay> display = runByButton();
    QVERIFY(display && display->isVisible());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_run->desktop.clipboardClears, clipboardFails ? 0 : 2);
    checkValues(shownValues(display), QStringLiteral("Cancer"), QStringLiteral("Aries"));

    auto *profile = display->findChild<QPlainTextEdit *>(QStringLiteral("txtYourProfile"));
    QTest::mousePress(profile->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(profile->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
    QCOMPARE(m_run->desktop.clipboardClears, clipboardFails ? 0 : 4);
    QTest::mouseClick(display->findChild<QPushButton *>(QStringLiteral("cmdBack")), Qt::LeftButton);
    QVERIFY(m_window->isVisible());
    QVERIFY(!ShellRun::resultWindow());
}

void TestTestRun::byKeyboardOnly()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QWidget *name = control<QLineEdit>("txtName");
    name->setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("cmdCompatibilityWithSibling"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    FrmDisplay *display = ShellRun::resultWindow();
    QVERIFY(display);
    display->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(display));
    QCOMPARE(QApplication::focusWidget(), display->findChild<QWidget *>(QStringLiteral("cmdBack")));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(m_window->isVisible());
    QVERIFY(!ShellRun::resultWindow());
}

void TestTestRun::exitFromResultWindow()
{
    QSignalSpy mainClosed(m_window.data(), &FrmMain::closedByUser);
    QPointer<FrmDisplay> display = runByButton();
    QSignalSpy closed(display.data(), &FrmDisplay::closedByUser);
    display->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(mainClosed.count(), 0);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!ShellRun::resultWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!display);
}

QTEST_MAIN(TestTestRun)
#include "tst_testrun.moc"
