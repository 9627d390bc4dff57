// What building the main window must not do, because it slows the start-up:
// no drop-down list builds its popup before it is first used. The typeface
// that makes this possible is checked alongside, as the window shows it.

#include "mainwindow/FrmMain.h"

#include "FakeDesktop.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QWheelEvent>
#include <QtTest>

using mainwindow::FrmMain;

enum class Use { Nothing, Open, Click, Key, Wheel, Focus, ReadByProgram };
Q_DECLARE_METATYPE(Use)

class TestStartupCost : public QObject
{
    Q_OBJECT

private slots:
    void listsBuildNoPopupUntilUsed_data();
    void listsBuildNoPopupUntilUsed();
    void typefaces();
};

void TestStartupCost::listsBuildNoPopupUntilUsed_data()
{
    QTest::addColumn<Use>("use");
    QTest::addColumn<int>("current");
    QTest::newRow("shown only") << Use::Nothing << 0;
    QTest::newRow("opened") << Use::Open << 0;
    QTest::newRow("clicked") << Use::Click << 0;
    QTest::newRow("arrow key") << Use::Key << 1;
    QTest::newRow("wheel") << Use::Wheel << 1;
    QTest::newRow("focus") << Use::Focus << 0;
    QTest::newRow("inputs read") << Use::ReadByProgram << 0;
}

// No list builds its popup before it is used, and what it shows until then
// is what it shows once its entries are in.
void TestStartupCost::listsBuildNoPopupUntilUsed()
{
    QFETCH(Use, use);
    QFETCH(int, current);

    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QComboBox *> lists = window.findChildren<QComboBox *>();
    QCOMPARE(lists.size(), 6);
    QMap<QString, QImage> before;
    for (QComboBox *list : lists) {
        QVERIFY2(list->findChildren<QAbstractItemView *>().isEmpty(), qPrintable(list->objectName()));
        before.insert(list->objectName(), list->grab().toImage());
    }

    auto *year = window.findChild<QComboBox *>(QStringLiteral("cboYear"));
    switch (use) {
    case Use::Nothing:
        break;
    case Use::Open:
        year->showPopup();
        break;
    case Use::Click:
        QTest::mouseClick(year, Qt::LeftButton);
        break;
    case Use::Key:
        QTest::keyClick(year, Qt::Key_Down);
        break;
    case Use::Wheel: {
        const QPoint middle = year->rect().center();
        QWheelEvent wheel(middle, year->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(year, &wheel);
        break;
    }
    case Use::Focus:
        year->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(year->hasFocus());
        break;
    case Use::ReadByProgram:
        // An empty name stops the test run, after the inputs are read.
        window.findChild<QPushButton *>(QStringLiteral("cmdCompatibilityWithSibling"))->click();
        break;
    }
    if (use == Use::Nothing) {
        QCOMPARE(year->count(), 0);
        return;
    }
    QCOMPARE(year->count(), 151);
    QCOMPARE(year->currentIndex(), current);
    QCOMPARE(year->currentText(), QString::number(1900 + current));
    if (use == Use::Open || use == Use::Click) {
        QVERIFY(year->view()->isVisible());
        QCOMPARE(year->view()->font(), year->font());
        year->hidePopup();
    }
    // Only the lists used have their entries (the program reads them all).
    for (QComboBox *list : lists) {
        const bool used = list == year || use == Use::ReadByProgram;
        QCOMPARE(list->count() > 0, used);
        if (!used)
            QVERIFY2(list->findChildren<QAbstractItemView *>().isEmpty(), qPrintable(list->objectName()));
    }
    if (current == 0) {
        year->clearFocus();
        QCOMPARE(year->grab().toImage(), before.value(year->objectName()));
    }
}

void TestStartupCost::typefaces()
{
    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    for (const char *name : {"cboDate", "cboSiblingYear", "txtName", "Label4"}) {
        const QFont font = window.findChild<QWidget *>(QString::fromLatin1(name))->font();
        QVERIFY2(font.families().contains(QStringLiteral("Verdana")), name);
        QVERIFY2(font.bold(), name);
        QCOMPARE(font.pointSizeF(), 8.25);
    }
    const QFont banner = window.findChild<QLabel *>(QStringLiteral("Label61"))->font();
    QVERIFY(banner.families().contains(QStringLiteral("Verdana")));
    QCOMPARE(banner.pointSizeF(), 9.0);
    QVERIFY(banner.underline());
    QCOMPARE(window.menuBar()->font(), QApplication::font("QMenuBar"));
}

QTEST_MAIN(TestStartupCost)
#include "tst_startupcost.moc"
