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

// Records each Close event a window receives, in order; the window named
// in refusing turns its closing down, as a window may.
class CloseRecorder : public QObject
{
public:
    QStringList closed;
    QString refusing;

    void watch(QWidget *window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        closed << watched->objectName();
        if (watched->objectName() != refusing)
            return false;
        event->ignore();
        return true;
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
    void endProgramClosesInCreationOrderOnce_data();
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
    QCoreApplication::processEvents();
    QCOMPARE(liveWindows(), (QStringList{QStringLiteral("frmMain"), QStringLiteral("frmNagScreen2")}));
    QVERIFY(!run.main->isVisible());
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
    QCOMPARE(liveWindows(), QStringList{QStringLiteral("frmNagScreen2")});
    // not ending: the exit screen stays
    QCoreApplication::processEvents();
    QVERIFY(shown && shown->isVisible());
}

void TestShell::endProgramClosesInCreationOrderOnce_data()
{
    QTest::addColumn<QString>("refusing");
    QTest::newRow("every window closes") << QString();
    QTest::newRow("the main window refuses") << QStringLiteral("frmMain");
    QTest::newRow("the result window refuses") << QStringLiteral("frmDisplay");
}

void TestShell::endProgramClosesInCreationOrderOnce()
{
    QFETCH(QString, refusing);
    Run run;
    QVERIFY(run.start());
    QPointer<FrmDisplay> result = run.runTest();
    QVERIFY(result);
    run.shell.showExitScreen();
    QPointer<FrmNagScreen2> exitScreen = ::exitScreen();
    CloseRecorder recorder;
    recorder.refusing = refusing;
    for (QWidget *window : std::initializer_list<QWidget *>{exitScreen, result, run.main})
        recorder.watch(window);

    // A window that will not close keeps none of the others open.
    run.shell.EndProgram();
    QCOMPARE(recorder.closed.join(u' '), QStringLiteral("frmMain frmDisplay frmNagScreen2"));
    QVERIFY(!exitScreen->isVisible());
    QCOMPARE(result->isVisible(), refusing == QLatin1String("frmDisplay"));

    // nothing starts again: no second shutdown, no second exit screen
    run.shell.EndProgram();
    run.shell.showExitScreen();
    QVERIFY(!run.shell.showMainWindow());
    QCOMPARE(recorder.closed.size(), 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(liveWindows(), refusing.isEmpty() ? QStringList() : QStringList{refusing});
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
