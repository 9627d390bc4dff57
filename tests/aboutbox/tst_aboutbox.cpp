// The about box: what it shows, how it opens and closes, and its two links.

#include "Build.h"
#include "FakeDesktop.h"
#include "aboutbox/FrmAbout.h"
#include "platform/QtDesktop.h"
#include "windowkit/Site.h"

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
    void texts_data();
    void texts();
    void geometry_data();
    void geometry();
    void textsFitTheirBoxes();
    void windowIsFixedCentredAndOwnerless();
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
    QCOMPARE(run.desktop.openedUrls, QStringList(2, windowkit::pageAddress(key)));
    QVERIFY(run.desktop.messages.empty());
}

void TestAboutBox::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "Label2" << programCaption();
    QTest::newRow("OK") << "cmdOK" << "&OK";
    QTest::newRow("offer")
        << "Label6"
        << "Home Business Opportunity. Start your own Internet business and make money online. "
           "Get this software fully branded for your website.";
    QTest::newRow("details link") << "Label5" << "Click here for more details";
    QTest::newRow("home page link")
        << "lblHomePage" << QStringLiteral("Click here to visit ") + windowkit::siteDisplayAddress();
}

void TestAboutBox::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    FakeDesktop desktop;
    aboutbox::FrmAbout d(desktop);
    auto *widget = d.findChild<QWidget *>(name);
    QVERIFY(widget);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else
        QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), text);

    const QString description = child<QLabel>(d, "Label1")->text();
    QVERIFY(description.startsWith(QStringLiteral(
        "Quenlory is an easy to understand software that describes the compatibility between "
        "you and your siblings. ")));
    QCOMPARE(description.count(u'.'), 2);
}

void TestAboutBox::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("OK") << "cmdOK" << QRect(4950, 3480, 1260, 345);
    QTest::newRow("icon") << "picIcon" << QRect(150, 150, 510, 510);
    QTest::newRow("title") << "Label2" << QRect(960, 300, 3825, 240);
    QTest::newRow("description") << "Label1" << QRect(210, 840, 5745, 1005);
    QTest::newRow("home page") << "lblHomePage" << QRect(1560, 2040, 4650, 195);
    QTest::newRow("offer") << "Label6" << QRect(120, 2430, 6015, 675);
    QTest::newRow("details") << "Label5" << QRect(3600, 3120, 2610, 195);
}

void TestAboutBox::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    FakeDesktop desktop;
    aboutbox::FrmAbout d(desktop);
    auto *widget = d.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15,
                                       twips.height() / 15));
}

void TestAboutBox::textsFitTheirBoxes()
{
    FakeDesktop desktop;
    aboutbox::FrmAbout d(desktop);
    for (QLabel *label : d.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = metrics.boundingRect(box, flags, label->text());
        QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
                 qPrintable(label->objectName() + QStringLiteral(" needs %1 x %2")
                                                      .arg(needed.width())
                                                      .arg(needed.height())));
    }
    auto *ok = child<QPushButton>(d, "cmdOK");
    QVERIFY(QFontMetrics(ok->font()).horizontalAdvance(QStringLiteral("OK")) < ok->width());
}

void TestAboutBox::windowIsFixedCentredAndOwnerless()
{
    AboutRun run;
    QSize minimum, maximum;
    QPoint centre;
    Qt::WindowFlags flags;
    bool defaultOk = false;
    run.steps = [&](QDialog &d) {
        minimum = d.minimumSize();
        maximum = d.maximumSize();
        centre = d.frameGeometry().center();
        flags = d.windowFlags();
        defaultOk = child<QPushButton>(d, "cmdOK")->isDefault();
        QCOMPARE(d.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(d.windowTitle(), programCaption());
        QVERIFY(!d.parentWidget());
        d.accept();
    };
    run.open();
    QCOMPARE(minimum, QSize(423, 264));
    QCOMPARE(maximum, QSize(423, 264));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(defaultOk);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
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
