// The menu bars, banner labels and dialog keys of the real main and result
// windows: what each menu holds, each item and banner opens exactly its page,
// once per click, and only on a click; which bottom banner lies on top; what
// Enter, Esc and Space do wherever the focus is; the about item opens the
// about box from both, through the shell that owns the windows.

#include "Build.h"
#include "FakeDesktop.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<QMainWindow> makeWindow(const QString &which, FakeDesktop &desktop)
{
    std::unique_ptr<QMainWindow> window;
    if (which == QStringLiteral("main"))
        window = std::make_unique<FrmMain>(desktop);
    else
        window = std::make_unique<FrmDisplay>(desktop);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

bool showAndWait(QMainWindow *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The label a click in the middle of the bottom banners' rectangle lands on.
QWidget *bottomBannerOnTop(QMainWindow *window)
{
    auto *coBrand = window->findChild<QLabel *>(QStringLiteral("lblCobrand"));
    return coBrand->parentWidget()->childAt(coBrand->geometry().center());
}

QStringList captions(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class TestWindowLinks : public QObject
{
    Q_OBJECT

private slots:
    void menuItemOpensItsPage_data();
    void menuItemOpensItsPage();
    void bannerOpensItsPage_data();
    void bannerOpensItsPage();
    void bannerIgnoresWhatIsNoClick_data();
    void bannerIgnoresWhatIsNoClick();
    void openingShowsNothingAndChangesNothing();
    void bottomBannerStacking_data();
    void bottomBannerStacking();
    void menuItems_data();
    void menuItems();
    void menuBar_data();
    void menuBar();
    void donateActsWithoutDropDown_data();
    void donateActsWithoutDropDown();
    void aboutBoxOpensAndClosesWithNothingChanged_data();
    void aboutBoxOpensAndClosesWithNothingChanged();
    void keys_data();
    void keys();
};

void TestWindowLinks::menuItemOpensItsPage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    for (const char *window : {"main", "result"}) {
        const auto row = [window](const char *item, const char *key) {
            QTest::addRow("%s %s", window, item)
                << QString::fromLatin1(window) << QString::fromLatin1(item)
                << QString::fromLatin1(key);
        };
        row("mnuOnline", "help-web-page");
        row("mnuVisit", "home-page");
        row("mnuUpdate", "download-web-page");
        row("mnuDonate", "donate");
        row("mnuMakeMoneyOnline", "fully-branded");
    }
}

void TestWindowLinks::menuItemOpensItsPage()
{
    QFETCH(QString, window);
    QFETCH(QString, item);
    QFETCH(QString, key);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    QVERIFY(showAndWait(w.get()));
    auto *action = w->findChild<QAction *>(item);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(desktop.openedUrls, QStringList{sitePage(key)});
    action->trigger();
    QCOMPARE(desktop.openedUrls, QStringList(2, sitePage(key)));
    QVERIFY(desktop.messages.empty());
    QVERIFY(w->isVisible());
}

void TestWindowLinks::bannerOpensItsPage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::newRow("main forum strip") << "main" << "Label61" << "home-page";
    QTest::newRow("main co-brand") << "main" << "lblCobrand" << "co-brand";
    QTest::newRow("main fully branded") << "main" << "lblFullBrand" << "fully-branded";
    QTest::newRow("result forum strip") << "result" << "Label61" << "home-page";
    QTest::newRow("result co-brand") << "result" << "lblCobrand" << "co-brand";
}

void TestWindowLinks::bannerOpensItsPage()
{
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QString, key);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    // The result window shows the co-brand offer on top by design.
    if (auto *main = qobject_cast<FrmMain *>(w.get())) {
        if (label == QStringLiteral("lblCobrand"))
            main->bringBannerToFront(windowkit::BottomBanner::CoBrand);
        else if (label == QStringLiteral("lblFullBrand"))
            main->bringBannerToFront(windowkit::BottomBanner::FullBrand);
    }
    QVERIFY(showAndWait(w.get()));
    auto *target = w->findChild<QLabel *>(label);
    QVERIFY(target);
    QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);

    // click where the user sees the label: on the window, not on the object
    QWidget *hit = target->parentWidget()->childAt(target->geometry().center());
    QCOMPARE(hit, target);
    QTest::mouseClick(hit, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QStringList{sitePage(key)});
    QTest::mouseClick(hit, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QStringList(2, sitePage(key)));
}

void TestWindowLinks::bannerIgnoresWhatIsNoClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("releaseOutside");
    QTest::newRow("right button") << Qt::RightButton << false;
    QTest::newRow("middle button") << Qt::MiddleButton << false;
    QTest::newRow("left dragged off the label") << Qt::LeftButton << true;
}

void TestWindowLinks::bannerIgnoresWhatIsNoClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, releaseOutside);
    FakeDesktop desktop;
    auto w = makeWindow(QStringLiteral("main"), desktop);
    QVERIFY(showAndWait(w.get()));
    auto *forum = w->findChild<QLabel *>(QStringLiteral("Label61"));

    QTest::mousePress(forum, button, {}, QPoint(5, 5));
    QTest::mouseRelease(forum, button, {}, releaseOutside ? QPoint(-20, -20) : QPoint(5, 5));
    QVERIFY(desktop.openedUrls.isEmpty());
    // the next proper click still counts once
    QTest::mouseClick(forum, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls.size(), 1);
}

void TestWindowLinks::openingShowsNothingAndChangesNothing()
{
    // The opener learns nothing of the browser's fate, so a page that fails
    // to open looks to the window exactly like one that opened.
    FakeDesktop desktop;
    auto w = makeWindow(QStringLiteral("main"), desktop);
    QVERIFY(showAndWait(w.get()));
    QWidget *onTop = bottomBannerOnTop(w.get());
    for (const char *name : {"mnuOnline", "mnuVisit", "mnuUpdate", "mnuDonate"})
        w->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    QTest::mouseClick(onTop, Qt::LeftButton);
    QTest::mouseClick(w->findChild<QLabel *>(QStringLiteral("Label61")), Qt::LeftButton);

    QCOMPARE(desktop.openedUrls.size(), 6);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.events.count(QStringLiteral("modal")), 0);
    QVERIFY(w->isVisible());
    QCOMPARE(bottomBannerOnTop(w.get()), onTop);
}

void TestWindowLinks::bottomBannerStacking_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("brought");   // the one the start-up brings up; empty: none
    QTest::addColumn<QString>("onTop");
    QTest::newRow("main window by design") << "main" << "" << "lblFullBrand";
    QTest::newRow("main, co-brand over full brand") << "main" << "lblCobrand" << "lblCobrand";
    QTest::newRow("main, co-brand twice") << "main" << "lblCobrand lblCobrand" << "lblCobrand";
    QTest::newRow("main, full brand over co-brand") << "main" << "lblCobrand lblFullBrand" << "lblFullBrand";
    QTest::newRow("main, full brand already on top") << "main" << "lblFullBrand" << "lblFullBrand";
    QTest::newRow("result window always") << "result" << "" << "lblCobrand";
}

// The two offers share one rectangle and are opaque, so only the one on top
// shows, and a click there opens its page and never the hidden one's.
void TestWindowLinks::bottomBannerStacking()
{
    QFETCH(QString, window);
    QFETCH(QString, brought);
    QFETCH(QString, onTop);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    for (const QString &banner : brought.split(u' ', Qt::SkipEmptyParts)) {
        qobject_cast<FrmMain *>(w.get())->bringBannerToFront(banner == QLatin1String("lblCobrand")
                                                                 ? windowkit::BottomBanner::CoBrand
                                                                 : windowkit::BottomBanner::FullBrand);
    }
    QVERIFY(showAndWait(w.get()));
    auto *coBrand = w->findChild<QLabel *>(QStringLiteral("lblCobrand"));
    auto *fullBrand = w->findChild<QLabel *>(QStringLiteral("lblFullBrand"));
    QCOMPARE(coBrand->geometry(), fullBrand->geometry());
    QVERIFY(coBrand->autoFillBackground());
    QVERIFY(fullBrand->autoFillBackground());
    QWidget *strip = coBrand->parentWidget();
    for (const QPoint &corner : {coBrand->geometry().topLeft() + QPoint(1, 1),
                                 coBrand->geometry().bottomRight() - QPoint(1, 1)})
        QCOMPARE(strip->childAt(corner)->objectName(), onTop);
    // Showing the window again changes nothing.
    w->hide();
    QVERIFY(showAndWait(w.get()));
    QCOMPARE(bottomBannerOnTop(w.get())->objectName(), onTop);
    QTest::mouseClick(bottomBannerOnTop(w.get()), Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QStringList{sitePage(onTop == QLatin1String("lblCobrand")
                                                             ? QStringLiteral("co-brand")
                                                             : QStringLiteral("fully-branded"))});
}

void TestWindowLinks::menuItems_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");   // empty: the menu bar itself
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<bool>("visible");

    const auto item = [](const char *window, const char *name, const char *menu, const char *text,
                         bool separator = false, bool visible = true) {
        QTest::addRow("%s %s", window, name) << QString::fromLatin1(window) << QString::fromLatin1(name)
                                             << QString::fromLatin1(menu) << QString::fromLatin1(text)
                                             << separator << visible;
    };
    item("main", "mnuGetMyCompatibilityWithSibling", "mnuFile", "Get My Compatibility With My Brother / Sister");
    item("main", "mnuExit", "mnuFile", "E&xit");
    item("main", "mnuHelp1", "mnuHelp", "", true);
    item("main", "mnuUpdate", "mnuHelp", "Check for Software &Update");
    item("main", "mnuHelp2", "mnuHelp", "", true);
    item("result", "mnuFileBack", "mnuFile", "&Back");
    item("result", "mnuExit", "mnuFile", "E&xit");
    item("result", "mnuFileSep1", "mnuHelp", "", true);
    item("result", "mnuUpdate", "mnuHelp", "&Check for Software Update");
    item("result", "mnuFileSep2", "mnuHelp", "", true);
    for (const char *window : {"main", "result"}) {
        item(window, "mnuOnline", "mnuHelp", "&Online Help");
        item(window, "mnuVisit", "mnuHelp", "&Visit Us Online");
        item(window, "mnuAbout", "mnuHelp", "&About Software");
        item(window, "mnuDonate", "", "&Donate");
        item(window, "mnuMakeMoneyOnline", "", "Make Money &Online", false, false);
    }
}

void TestWindowLinks::menuItems()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, text);
    QFETCH(bool, separator);
    QFETCH(bool, visible);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    auto *action = findControl<QAction>(w.get(), name.toLatin1().constData());
    const QList<QAction *> holder = menu.isEmpty()
        ? w->menuBar()->actions()
        : findControl<QMenu>(w.get(), menu.toLatin1().constData())->actions();
    QVERIFY(holder.contains(action));
    QCOMPARE(action->text(), text);
    QCOMPARE(action->isSeparator(), separator);
    QCOMPARE(action->isVisible(), visible);
    // A plain command: no submenu, no shortcut, no tick.
    QVERIFY(!action->menu());
    QVERIFY(action->shortcut().isEmpty());
    QVERIFY(!action->isCheckable());
}

void TestWindowLinks::menuBar_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("help");
    QTest::newRow("main")
        << "main" << "Get My Compatibility With My Brother / Sister|E&xit"
        << "&Online Help|&Visit Us Online|-|Check for Software &Update|-|&About Software";
    QTest::newRow("result")
        << "result" << "&Back|E&xit"
        << "&Online Help|&Visit Us Online|-|&Check for Software Update|-|&About Software";
}

void TestWindowLinks::menuBar()
{
    QFETCH(QString, window);
    QFETCH(QString, file);
    QFETCH(QString, help);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    QMenuBar *bar = w->menuBar();
    const QList<QAction *> top = bar->actions();
    QCOMPARE(captions(top).join(u'|'),
             QStringLiteral("&File|&Help|&Donate|Make Money &Online"));
    QVERIFY(top[0]->menu());
    QVERIFY(top[1]->menu());
    QCOMPARE(top[0]->menu()->objectName(), QStringLiteral("mnuFile"));
    QCOMPARE(top[1]->menu()->objectName(), QStringLiteral("mnuHelp"));
    QCOMPARE(captions(top[0]->menu()->actions()).join(u'|'), file);
    QCOMPARE(captions(top[1]->menu()->actions()).join(u'|'), help);
    QCOMPARE(top[2]->objectName(), QStringLiteral("mnuDonate"));
    QCOMPARE(top[3]->objectName(), QStringLiteral("mnuMakeMoneyOnline"));
    QVERIFY(!top[2]->menu());
    QVERIFY(!top[3]->menu());
    QVERIFY(top[2]->isVisible());
    QVERIFY(!top[3]->isVisible());
    QVERIFY(bar->actionGeometry(top[3]).isEmpty());
    for (QAction *action : w->findChildren<QAction *>()) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->objectName()));
        QVERIFY2(!action->isCheckable(), qPrintable(action->objectName()));
    }
}

void TestWindowLinks::donateActsWithoutDropDown_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main") << "main";
    QTest::newRow("result") << "result";
}

void TestWindowLinks::donateActsWithoutDropDown()
{
    QFETCH(QString, window);
    FakeDesktop desktop;
    auto w = makeWindow(window, desktop);
    QVERIFY(showAndWait(w.get()));
    QMenuBar *bar = w->menuBar();
    QAction *donate = w->findChild<QAction *>(QStringLiteral("mnuDonate"));
    const QRect place = bar->actionGeometry(donate);
    QVERIFY(!place.isEmpty());
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
    QCOMPARE(desktop.openedUrls, QStringList{sitePage(QStringLiteral("donate"))});
    QVERIFY(!QApplication::activePopupWidget());
}

void TestWindowLinks::aboutBoxOpensAndClosesWithNothingChanged_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::newRow("main, Enter") << "main" << int(Qt::Key_Return);
    QTest::newRow("main, Esc") << "main" << int(Qt::Key_Escape);
    QTest::newRow("result, Enter") << "result" << int(Qt::Key_Return);
    QTest::newRow("result, Esc") << "result" << int(Qt::Key_Escape);
}

void TestWindowLinks::aboutBoxOpensAndClosesWithNothingChanged()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    ShellRun run;
    FakeDesktop &desktop = run.desktop;
    QList<QPointer<QDialog>> boxes;
    bool closedByKey = false;
    desktop.onModal = [&](QDialog &dialog) {
        boxes << QPointer<QDialog>(&dialog);
        dialog.show();
        if (QTest::qWaitForWindowExposed(&dialog) && dialog.focusWidget()) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key(key));
            closedByKey = !dialog.isVisible();
        }
        return dialog.result();
    };
    QVERIFY(run.start());
    QMainWindow *w = run.main;
    if (window == QStringLiteral("result"))
        w = run.runTest();
    QVERIFY(w);
    desktop.events.clear();
    const QRect before = w->geometry();
    QAction *about = w->findChild<QAction *>(QStringLiteral("mnuAbout"));
    about->trigger();
    QVERIFY(closedByKey);
    about->trigger();

    QCOMPARE(boxes.size(), 2);
    QCOMPARE(desktop.events, QStringList(2, QStringLiteral("modal")));
    QVERIFY(w->isVisible());
    QCOMPARE(w->geometry(), before);
}

// Exit is each window's default and cancel button: Enter and Esc press it
// wherever the focus is, except that Enter (and Space) press a focused button.
void TestWindowLinks::keys_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");   // empty: as the window opened
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("outcome"); // exit, run, back or nothing

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers keypad(Qt::KeypadModifier);
    const auto row = [](const char *name, const char *window, const char *focus, Qt::Key key,
                        Qt::KeyboardModifiers modifiers, const char *outcome) {
        QTest::newRow(name) << QString::fromLatin1(window) << QString::fromLatin1(focus) << int(key) << modifiers
                            << QString::fromLatin1(outcome);
    };
    row("main: Enter right after opening", "main", "", Qt::Key_Return, none, "exit");
    row("main: Esc right after opening", "main", "", Qt::Key_Escape, none, "exit");
    row("main: a letter in the name box", "main", "txtName", Qt::Key_B, none, "nothing");
    row("main: Enter in the name box", "main", "txtName", Qt::Key_Return, none, "exit");
    row("main: keypad Enter in the name box", "main", "txtName", Qt::Key_Enter, keypad, "exit");
    row("main: Esc in the name box", "main", "txtName", Qt::Key_Escape, none, "exit");
    row("main: Enter in a list", "main", "cboMonth", Qt::Key_Return, none, "exit");
    row("main: Esc in a list", "main", "cboSiblingYear", Qt::Key_Escape, none, "exit");
    row("main: Enter on the test button", "main", "cmdCompatibilityWithSibling", Qt::Key_Return, none, "run");
    row("main: Space on the test button", "main", "cmdCompatibilityWithSibling", Qt::Key_Space, none, "run");
    row("main: Esc on the test button", "main", "cmdCompatibilityWithSibling", Qt::Key_Escape, none, "exit");
    row("main: Enter on Exit", "main", "cmdExit", Qt::Key_Return, none, "exit");
    row("main: Space on Exit", "main", "cmdExit", Qt::Key_Space, none, "exit");
    row("result: Enter right after opening", "result", "", Qt::Key_Return, none, "back");
    row("result: Esc right after opening", "result", "", Qt::Key_Escape, none, "exit");
    row("result: Enter on Back", "result", "cmdBack", Qt::Key_Return, none, "back");
    row("result: Space on Exit", "result", "cmdExit", Qt::Key_Space, none, "exit");
    row("result: Esc on Back", "result", "cmdBack", Qt::Key_Escape, none, "exit");
    row("result: Space on Back", "result", "cmdBack", Qt::Key_Space, none, "back");
    row("result: Enter on Exit", "result", "cmdExit", Qt::Key_Return, none, "exit");
    row("result: Enter in a profile box", "result", "txtYourProfile", Qt::Key_Return, none, "exit");
    row("result: keypad Enter in a profile box", "result", "txtYourSiblingProfile", Qt::Key_Enter, keypad, "exit");
    row("result: Esc in a profile box", "result", "txtYourSiblingProfile", Qt::Key_Escape, none, "exit");
    row("result: a letter in a profile box", "result", "txtYourProfile", Qt::Key_A, none, "nothing");
}

void TestWindowLinks::keys()
{
    QFETCH(QString, window);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, outcome);
    FakeDesktop desktop;
    const std::unique_ptr<QMainWindow> shown = makeWindow(window, desktop);
    const bool main = window == QLatin1String("main");
    if (main)
        shown->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("ANN"));
    QVERIFY(showAndWait(shown.get()));
    if (!focus.isEmpty())
        shown->findChild<QWidget *>(focus)->setFocus();
    QSignalSpy closed(shown.get(), SIGNAL(closedByUser()));
    QSignalSpy ran(shown.get(), main ? SIGNAL(resultReady(windowkit::ResultValues)) : SIGNAL(backRequested()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);

    QCOMPARE(closed.count(), outcome == QLatin1String("exit") ? 1 : 0);
    QCOMPARE(ran.count(), outcome == QLatin1String(main ? "run" : "back") ? 1 : 0);
    QVERIFY(desktop.messages.empty());
    if (main && outcome == QLatin1String("nothing"))
        QCOMPARE(shown->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("ANNB"));
    // Exit is drawn as the window's default button; the other is not.
    QVERIFY(shown->findChild<QPushButton *>(QStringLiteral("cmdExit"))->isDefault());
    const char *other = main ? "cmdCompatibilityWithSibling" : "cmdBack";
    QVERIFY(!shown->findChild<QPushButton *>(QLatin1String(other))->isDefault());
}

QTEST_MAIN(TestWindowLinks)
#include "tst_windowlinks.moc"
