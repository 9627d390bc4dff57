// What building the main window must not do, because it slows the start-up:
// no drop-down list builds its popup before it is first opened. The typeface
// that makes this possible is checked alongside, as the window shows it.

#include "mainwindow/FrmMain.h"

#include "FakeDesktop.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

using mainwindow::FrmMain;

class TestStartupCost : public QObject
{
    Q_OBJECT

private slots:
    void listsBuildNoPopupUntilOpened();
    void typefaces();
};

void TestStartupCost::listsBuildNoPopupUntilOpened()
{
    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QComboBox *> lists = window.findChildren<QComboBox *>();
    QCOMPARE(lists.size(), 6);
    for (QComboBox *list : lists)
        QVERIFY2(list->findChildren<QAbstractItemView *>().isEmpty(), qPrintable(list->objectName()));

    // Opening one builds its popup, with the list's own typeface.
    QComboBox *year = window.findChild<QComboBox *>(QStringLiteral("cboYear"));
    QCOMPARE(year->view()->font(), year->font());
    QCOMPARE(year->view()->model()->rowCount(), 151);
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
