// The closing path through the real windows: every closing command of the
// main and result windows leads to the one exit screen, Back does not, and
// closing the exit screen shuts everything down once and ends the loop.

#include "FakeDesktop.h"
#include "Windows.h"

#include "exitscreen/FrmNagScreen2.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using exitscreen::FrmNagScreen2;

namespace {

int exitScreenCount()
{
    return int(topLevelWindows<FrmNagScreen2>().size());
}

FrmNagScreen2 *exitScreen()
{
    return topLevelWindow<FrmNagScreen2>();
}

// The program's windows that exist, by objectName, sorted.
QStringList liveWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<FrmMain *>(widget) || qobject_cast<FrmDisplay *>(widget)
            || qobject_cast<FrmNagScreen2 *>(widget))
            names << widget->objectName();
    }
    names.sort();
    return names;
}

// Records each Close event a window receives, in order.
class CloseRecorder : public QObject
{
public:
    QStringList closed;

    void watch(QWidget *window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

using Command = std::function<void(QMainWindow *)>;

void clickExit(QMainWindow *w)
{
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdExit")), Qt::LeftButton);
}

void fileExit(QMainWindow *w)
{
    w->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
}

void escape(QMainWindow *w)
{
    QWidget *focus = w->focusWidget();
    QTest::keyClick(focus ? focus : w, Qt::Key_Escape);
}

void closeBox(QMainWindow *w)
{
    w->close();
}

// The main window's Enter in the name box: the default button is Exit.
void enterInNameBox(QMainWindow *w)
{
    auto *name = w->findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
}

void enterInProfileBox(QMainWindow *w)
{
    QWidget *profile = w->findChild<QWidget *>(QStringLiteral("txtYourProfile"));
    profile->setFocus();
    QTest::keyClick(profile, Qt::Key_Return);
}

using Run = ShellRun;

} // namespace

Q_DECLARE_METATYPE(Command)

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void mainWindowIsCreatedOnce();
    void closingTheMainWindowShowsTheExitScreen_data();
    void closingTheMainWindowShowsTheExitScreen();
    void closingTheResultWindowShowsTheExitScreen_data();
    void closingTheResultWindowShowsTheExitScreen();
    void backShowsNoExitScreen_data();
    void backShowsNoExitScreen();
    void backThenExitInTheMainWindow();
    void endProgramClosesInCreationOrderOnce();
    void closingTheExitScreenEndsTheLoopWithZero_data();
    void closingTheExitScreenEndsTheLoopWithZero();
    void endProgramBeforeTheLoopOnlyClosesWindows();
};

void TestShell::cleanup()
{
    // Windows discarded by a test go before the next one counts windows.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(exitScreenCount(), 0);
}

void TestShell::mainWindowIsCreatedOnce()
{
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.shell.showMainWindow(), run.main.data());
    QVERIFY(!run.main->parentWidget());
    QVERIFY(!run.main->isModal());
    QCOMPARE(liveWindows(), QStringList{QStringLiteral("frmMain")});
    QVERIFY(!exitScreen());
}

void TestShell::closingTheMainWindowShowsTheExitScreen_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("Exit button") << Command(clickExit);
    QTest::newRow("File, Exit") << Command(fileExit);
    QTest::newRow("Enter in the name box") << Command(enterInNameBox);
    QTest::newRow("Esc") << Command(escape);
    QTest::newRow("close box") << Command(closeBox);
}

void TestShell::closingTheMainWindowShowsTheExitScreen()
{
    QFETCH(Command, command);
    Run run;
    QVERIFY(run.start());
    command(run.main);

    QCOMPARE(exitScreenCount(), 1);
    QPointer<FrmNagScreen2> shown = exitScreen();
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    QVERIFY(shown->windowFlags() & Qt::WindowStaysOnTopHint);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(run.main.isNull());
    QCOMPARE(liveWindows(), QStringList{QStringLiteral("frmNagScreen2")});
    // Enter closed the window instead of running the test
    QVERIFY(run.desktop.messages.empty());
    QVERIFY(run.desktop.openedUrls.isEmpty());
    // not ending: the exit screen stays
    QCoreApplication::processEvents();
    QVERIFY(shown && shown->isVisible());
}

void TestShell::closingTheResultWindowShowsTheExitScreen_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("Exit button") << Command(clickExit);
    QTest::newRow("File, Exit") << Command(fileExit);
    QTest::newRow("Esc") << Command(escape);
    QTest::newRow("Enter in a profile box") << Command(enterInProfileBox);
    QTest::newRow("close box") << Command(closeBox);
}

void TestShell::closingTheResultWindowShowsTheExitScreen()
{
    QFETCH(Command, command);
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    QVERIFY(!run.main->isVisible());
    QCOMPARE(liveWindows(), (QStringList{QStringLiteral("frmDisplay"), QStringLiteral("frmMain")}));

    command(result);
    QCOMPARE(exitScreenCount(), 1);
    QVERIFY(exitScreen()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QVERIFY(result.isNull());
    QVERIFY(run.main);
    QVERIFY(!run.main->isVisible());
    QCOMPARE(liveWindows(), (QStringList{QStringLiteral("frmMain"), QStringLiteral("frmNagScreen2")}));
}

void TestShell::backShowsNoExitScreen_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Back button") << false;
    QTest::newRow("File, Back") << true;
}

void TestShell::backShowsNoExitScreen()
{
    QFETCH(bool, byMenu);
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    if (byMenu)
        result->findChild<QAction *>(QStringLiteral("mnuFileBack"))->trigger();
    else
        QTest::mouseClick(result->findChild<QPushButton *>(QStringLiteral("cmdBack")),
                          Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(result.isNull());
    QCOMPARE(exitScreenCount(), 0);
    QVERIFY(run.main->isVisible());
    QCOMPARE(liveWindows(), QStringList{QStringLiteral("frmMain")});

    // the next run's window closes the ordinary way again
    QPointer<FrmDisplay> second = run.runTest();
    QVERIFY(second);
    clickExit(second);
    QCOMPARE(exitScreenCount(), 1);
    QVERIFY(!run.main->isVisible());
}

void TestShell::backThenExitInTheMainWindow()
{
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    result->back();
    QVERIFY(run.main->isVisible());
    QCOMPARE(exitScreenCount(), 0);

    escape(run.main);
    QCOMPARE(exitScreenCount(), 1);
    QPointer<FrmNagScreen2> shown = exitScreen();
    QVERIFY(shown->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(run.main.isNull());
    QVERIFY(result.isNull());
    QCOMPARE(liveWindows(), QStringList{QStringLiteral("frmNagScreen2")});
    // not ending: the exit screen stays
    QCoreApplication::processEvents();
    QVERIFY(shown && shown->isVisible());
}

void TestShell::endProgramClosesInCreationOrderOnce()
{
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    run.shell.showExitScreen();
    QPointer<FrmNagScreen2> exitScreen = ::exitScreen();
    CloseRecorder recorder;
    for (QWidget *window : std::initializer_list<QWidget *>{exitScreen, result, run.main})
        recorder.watch(window);

    run.shell.EndProgram();
    QCOMPARE(recorder.closed.join(u' '), QStringLiteral("frmMain frmDisplay frmNagScreen2"));
    QCOMPARE(exitScreenCount(), 1);
    QVERIFY(!exitScreen->isVisible());

    // nothing starts again: no second shutdown, no second exit screen
    run.shell.EndProgram();
    run.shell.showExitScreen();
    QVERIFY(!run.shell.showMainWindow());
    QCOMPARE(recorder.closed.size(), 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(run.main.isNull());
    QVERIFY(result.isNull());
    QVERIFY(exitScreen.isNull());
    QCOMPARE(exitScreenCount(), 0);
}

void TestShell::closingTheExitScreenEndsTheLoopWithZero_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Exit button") << false;
    QTest::newRow("close box") << true;
}

void TestShell::closingTheExitScreenEndsTheLoopWithZero()
{
    QFETCH(bool, closeBox);
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    clickExit(result);
    QPointer<FrmNagScreen2> exitScreen = ::exitScreen();
    QVERIFY(exitScreen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(result.isNull());
    CloseRecorder recorder;
    for (QWidget *window : std::initializer_list<QWidget *>{exitScreen, run.main})
        recorder.watch(window);

    QTimer::singleShot(0, exitScreen, [&] {
        if (closeBox)
            exitScreen->close();
        else
            QTest::mouseClick(exitScreen->findChild<QPushButton *>(QStringLiteral("cmdClose")),
                              Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    const int code = QApplication::exec();

    QCOMPARE(code, 0);
    // ended: the shell starts no window again
    QVERIFY(!run.shell.showMainWindow());
    QCOMPARE(recorder.closed.join(u' '), QStringLiteral("frmNagScreen2 frmMain"));
    QCOMPARE(exitScreenCount(), exitScreen ? 1 : 0);
    QVERIFY(!run.main || !run.main->isVisible());
    QVERIFY(!exitScreen || !exitScreen->isVisible());
}

void TestShell::endProgramBeforeTheLoopOnlyClosesWindows()
{
    Run run;
    QVERIFY(run.start());
    run.shell.EndProgram();
    QVERIFY(!run.main || !run.main->isVisible());
    QCOMPARE(exitScreenCount(), 0);

    // the refused start leaves no pending quit behind for a later loop
    QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 7);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
