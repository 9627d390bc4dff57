// The about box: what it shows, how it opens and closes, and its two links.

#include "Build.h"
#include "FakeDesktop.h"
#include "aboutbox/FrmAbout.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// Runs the about box through the fake desktop, shows it as exec() would, and
// hands it to the test's steps while it is open.
struct AboutRun
{
    FakeDesktop desktop;
    std::function<void(QDialog &)> steps;
    bool visibleAfterSteps = true;
    QPointer<QDialog> dialog;

    void open()
    {
        desktop.onModal = [this](QDialog &d) {
            dialog = &d;
            d.show();
            if (!QTest::qWaitForWindowExposed(&d))
                return -1;
            if (steps)
                steps(d);
            visibleAfterSteps = d.isVisible();
            return d.result();
        };
        aboutbox::openAboutBox(desktop);
    }
};

template <typename T>
T *child(QDialog &d, const char *name)
{
    return d.findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void keyClosesIt_data();
    void keyClosesIt();
    void okAndCloseBoxCloseIt_data();
    void okAndCloseBoxCloseIt();
    void everyOpeningIsFresh();
    void linkOpensItsPageAndLeavesItOpen_data();
    void linkOpensItsPageAndLeavesItOpen();
    void okIsTheDefault();
    void modalThroughTheRealDesktop();
};

void TestAboutBox::keyClosesIt_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestAboutBox::keyClosesIt()
{
    QFETCH(int, key);
    AboutRun run;
    QString focused;
    run.steps = [&](QDialog &d) {
        QWidget *focus = d.focusWidget();
        focused = focus ? focus->objectName() : QString();
        QTest::keyClick(focus ? focus : &d, Qt::Key(key));
    };
    run.open();
    QCOMPARE(focused, QStringLiteral("cmdOK"));
    QVERIFY(!run.visibleAfterSteps);
    QVERIFY(run.dialog.isNull());
    QVERIFY(run.desktop.openedUrls.isEmpty());
}

void TestAboutBox::okAndCloseBoxCloseIt_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("OK clicked") << false;
    QTest::newRow("close box") << true;
}

void TestAboutBox::okAndCloseBoxCloseIt()
{
    QFETCH(bool, closeBox);
    AboutRun run;
    run.steps = [&](QDialog &d) {
        if (closeBox)
            d.close();
        else
            QTest::mouseClick(child<QPushButton>(d, "cmdOK"), Qt::LeftButton);
    };
    run.open();
    QVERIFY(!run.visibleAfterSteps);
    QVERIFY(run.dialog.isNull());
}

void TestAboutBox::everyOpeningIsFresh()
{
    AboutRun run;
    QList<QDialog *> boxes;
    QStringList descriptions;
    run.steps = [&](QDialog &d) {
        boxes << &d;
        descriptions << child<QLabel>(d, "Label1")->text();
        QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
    };
    run.open();
    QVERIFY(run.dialog.isNull());
    run.open();
    QVERIFY(run.dialog.isNull());
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(descriptions[0], descriptions[1]);
    QCOMPARE(run.desktop.events, QStringList(2, QStringLiteral("modal")));
}

void TestAboutBox::linkOpensItsPageAndLeavesItOpen_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("key");
    QTest::newRow("home page") << "lblHomePage" << "home-page";
    QTest::newRow("more details") << "Label5" << "fully-branded";
}

void TestAboutBox::linkOpensItsPageAndLeavesItOpen()
{
    QFETCH(QString, link);
    QFETCH(QString, key);
    AboutRun run;
    Qt::CursorShape shape = Qt::ArrowCursor;
    run.steps = [&](QDialog &d) {
        auto *label = d.findChild<QLabel *>(link);
        shape = label->cursor().shape();
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseClick(label, Qt::LeftButton);
    };
    run.open();
    QCOMPARE(shape, Qt::PointingHandCursor);
    QVERIFY(run.visibleAfterSteps);
    QCOMPARE(run.desktop.openedUrls, QStringList(2, sitePage(key)));
    QVERIFY(run.desktop.messages.empty());
}

// Opened as the program opens it; its name, caption, shape and place are
// tested with the other windows' (tests/app/tst_forms.cpp).
void TestAboutBox::okIsTheDefault()
{
    AboutRun run;
    bool defaultOk = false;
    run.steps = [&](QDialog &d) {
        defaultOk = child<QPushButton>(d, "cmdOK")->isDefault();
        d.accept();
    };
    run.open();
    QVERIFY(defaultOk);
}

void TestAboutBox::modalThroughTheRealDesktop()
{
    // The fake desktop only shows the box; the real one must make it modal.
    QWidget other;
    auto *button = new QPushButton(QStringLiteral("other"), &other);
    button->setGeometry(10, 10, 120, 30);
    other.resize(200, 60);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QSignalSpy clicks(button, &QPushButton::clicked);
    const QPoint onButton = button->geometry().center();

    bool aboutIsModal = false;
    int inputTakenWhileOpen = -1;
    QTimer::singleShot(0, &other, [&] {
        auto *about = qobject_cast<aboutbox::FrmAbout *>(QApplication::activeModalWidget());
        if (!about)
            return;
        aboutIsModal = QTest::qWaitForWindowExposed(about);
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, onButton);
        button->setFocus();
        QTest::keyClick(other.windowHandle(), Qt::Key_Space);
        inputTakenWhileOpen = int(clicks.count());
        about->reject();
    });
    platform::QtDesktop desktop;
    aboutbox::openAboutBox(desktop);

    QVERIFY(aboutIsModal);
    QCOMPARE(inputTakenWhileOpen, 0);
    // Closed, the box no longer holds the other window back.
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, onButton);
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
