// How long a test run takes, from the click on the test button until the
// result window is filled and shown, then Back, on the offscreen platform.
// Each pass also checks the result it timed: both signs, both profiles, the
// pair's sentence and its verdict.

#include "BenchMain.h"
#include "Windows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestBenchTestRun : public QObject
{
    Q_OBJECT

private slots:
    void clickToResultShown();
};

void TestBenchTestRun::clickToResultShown()
{
    ShellRun run;
    FakeDesktop &desktop = run.desktop;
    FrmMain &window = *run.shell.showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("ANN"));
    findControl<QComboBox>(&window, "cboMonth")->setCurrentIndex(6);
    findControl<QComboBox>(&window, "cboDate")->setCurrentIndex(25);
    auto *button = window.findChild<QPushButton *>(QStringLiteral("cmdCompatibilityWithSibling"));
    QVERIFY(button);

    QBENCHMARK {
        QTest::mouseClick(button, Qt::LeftButton);
        FrmDisplay *result = ShellRun::resultWindow();
        QVERIFY(result && result->isVisible() && !window.isVisible());
        // 26 July and 1 January: Leo and Capricorn, who do not get along.
        const auto label = [&](const char *name) { return result->findChild<QLabel *>(QLatin1String(name))->text(); };
        const auto profile = [&](const char *name) {
            return result->findChild<QPlainTextEdit *>(QLatin1String(name))->toPlainText();
        };
        QCOMPARE(label("lblYourSunSign"), QStringLiteral("Leo"));
        QCOMPARE(label("lblYourSiblingSunSign"), QStringLiteral("Capricorn"));
        QCOMPARE(label("lblSiblingCompatibility"), QStringLiteral("You Both Do Not Get Along At all"));
        QVERIFY(label("lblCompatibilityResult").startsWith(QStringLiteral("You do not get along very well, as Leo")));
        QVERIFY(profile("txtYourProfile").startsWith(QStringLiteral("Leo children are more careless")));
        QVERIFY(profile("txtYourSiblingProfile").startsWith(QStringLiteral("A Capricorn child is told")));
        result->back();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(window.isVisible());
    QVERIFY(desktop.messages.empty());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runBenchmark<TestBenchTestRun>(argc, argv, 20);
}

#include "tst_benchtestrun.moc"
