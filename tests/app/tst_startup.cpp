// The start-up sequence: the guard, the seed, the reminder, the main window
// and the banner drawn for it, in that order, each step on its own.

#include "app/Shell.h"
#include "app/Startup.h"

#include "Build.h"
#include "Controls.h"
#include "FakeDesktop.h"
#include "StoredForm.h"
#include "Windows.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <stdexcept>

namespace {

const QString kRefusal = QStringLiteral("Application is already running");
const QString kQuestion = QStringLiteral("There maybe an update to this software available\n"
                                         "Do you want to check for an update?");

int visibleWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() ? 1 : 0;
    return count;
}

// Every call start-up makes into the desktop that matters to its order,
// with the moment the main window is shown; a message also tells how many of
// the program's windows are visible behind it (none may be).
class StepRecorder : public QObject
{
public:
    explicit StepRecorder(FakeDesktop &desktop)
    {
        qApp->installEventFilter(this);
        desktop.onCall = [this](const QString &call) {
            static const QStringList kept = {QStringLiteral("claim"), QStringLiteral("seed"), QStringLiteral("read"),
                                             QStringLiteral("write"), QStringLiteral("open"), QStringLiteral("draw")};
            if (call == QLatin1String("message"))
                steps << QStringLiteral("message with %1 windows").arg(visibleWindows());
            else if (kept.contains(call))
                steps << call;
        };
    }

    QStringList steps;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QStringLiteral("frmMain"))
            steps << QStringLiteral("show");
        return false;
    }
};

void storeDaysAgo(FakeDesktop &desktop, int days)
{
    desktop.settings.insert(storedEntryKey(),
                            storedForm(desktop.date.addDays(-days).toString(Qt::ISODate)));
}

QString bannerOnTop(FrmMain *window)
{
    auto *coBrand = window->findChild<QLabel *>(QStringLiteral("lblCobrand"));
    if (!coBrand)
        return QStringLiteral("no banner");
    QWidget *top = coBrand->parentWidget()->childAt(coBrand->geometry().center());
    return top ? top->objectName() : QString();
}

// The main window, whose two bottom banners share one rectangle of their frame.
struct BannerWindow {
    FakeDesktop windowDesktop;
    mainwindow::FrmMain window{windowDesktop};
    QLabel *coBrand = findControl<QLabel>(&window, "lblCobrand");
    QLabel *fullBrand = findControl<QLabel>(&window, "lblFullBrand");

    QString onTop() { return bannerOnTop(&window); }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void refusedWhenAnotherCopyRuns();
    void sequence_data();
    void sequence();
    void failingStep_data();
    void failingStep();
    void bannerDraw_data();
    void bannerDraw();
    void bannerDrawWithoutWindow();
    void bothBannersComeUp();
};

void TestStartup::cleanup()
{
    deleteTopLevelWindows();
}

void TestStartup::refusedWhenAnotherCopyRuns()
{
    FakeDesktop desktop;
    StepRecorder recorder(desktop);
    desktop.anotherInstanceRunning = true;
    storeDaysAgo(desktop, 40);
    const auto settingsBefore = desktop.settings;
    desktop.draws = {0.5};
    app::Shell shell(desktop);

    // EndProgram leaves the running event loop; without it the loop ends
    // with 7 after a while.
    bool started = true;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] { started = app::StartApplication(desktop, shell); });
    QTimer::singleShot(3000, &loop, [&] { loop.exit(7); });
    QCOMPARE(loop.exec(), 0);

    QVERIFY(!started);
    QCOMPARE(recorder.steps, (QStringList{QStringLiteral("claim"), QStringLiteral("message with 0 windows")}));
    QCOMPARE(desktop.messages.size(), std::size_t(1));
    QCOMPARE(desktop.messages.front().text, kRefusal);
    QCOMPARE(desktop.messages.front().icon, platform::Icon::Information);
    QCOMPARE(desktop.messages.front().buttons, platform::Buttons::Ok);
    QCOMPARE(desktop.settings, settingsBefore);
    QCOMPARE(desktop.draws.size(), std::size_t(1));
    QCOMPARE(visibleWindows(), 0);
    QVERIFY(topLevelWindows<FrmMain>().isEmpty());
    // the shell has ended: it starts no window any more
    QVERIFY(!shell.showMainWindow());
}

void TestStartup::sequence_data()
{
    QTest::addColumn<int>("storedDaysAgo");   // -1: no entry
    QTest::addColumn<platform::Answer>("answer");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("banner");

    const QString seed = QStringLiteral("seed");
    const QString claim = QStringLiteral("claim");
    const QString read = QStringLiteral("read");
    const QString write = QStringLiteral("write");
    const QString question = QStringLiteral("message with 0 windows");
    const QString show = QStringLiteral("show");
    const QString draw = QStringLiteral("draw");
    const QString coBrand = QStringLiteral("lblCobrand");
    const QString fullBrand = QStringLiteral("lblFullBrand");

    QTest::newRow("first start") << -1 << platform::Answer::No << 0.0
                                 << QStringList{claim, seed, read, write, show, draw} << coBrand;
    QTest::newRow("within fourteen days") << 14 << platform::Answer::Yes << 0.25
                                          << QStringList{claim, seed, read, show, draw} << fullBrand;
    QTest::newRow("question answered no") << 15 << platform::Answer::No << std::nextafter(1.0, 0.0)
                                          << QStringList{claim, seed, read, question, write, show, draw}
                                          << fullBrand;
    QTest::newRow("question answered yes")
        << 15 << platform::Answer::Yes << 0.7
        << QStringList{claim, seed, read, question, write, QStringLiteral("open"), show, draw} << coBrand;
}

void TestStartup::sequence()
{
    QFETCH(int, storedDaysAgo);
    QFETCH(platform::Answer, answer);
    QFETCH(double, draw);
    QFETCH(QStringList, steps);
    QFETCH(QString, banner);

    FakeDesktop desktop;
    StepRecorder recorder(desktop);
    if (storedDaysAgo >= 0)
        storeDaysAgo(desktop, storedDaysAgo);
    desktop.answer = answer;
    desktop.draws = {draw};
    app::Shell shell(desktop);

    QVERIFY(app::StartApplication(desktop, shell));

    QCOMPARE(recorder.steps, steps);
    FrmMain *window = topLevelWindow<FrmMain>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(!window->parentWidget());
    QVERIFY(!window->isModal());
    QCOMPARE(visibleWindows(), 1);
    QCOMPARE(bannerOnTop(window), banner);
    if (steps.contains(QStringLiteral("open")))
        QCOMPARE(desktop.openedUrls, QStringList{sitePage(QStringLiteral("download-web-page"))});
    else
        QVERIFY(desktop.openedUrls.isEmpty());
    if (steps.contains(QStringLiteral("write")))
        QCOMPARE(desktop.settings.value(storedEntryKey()),
                 storedForm(desktop.date.toString(QStringLiteral("yyyy-MM-dd"))));
}

void TestStartup::failingStep_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QStringList>("steps");

    const QString show = QStringLiteral("show");
    const QString question = QStringLiteral("message with 0 windows");
    QTest::newRow("instance guard") << QStringLiteral("claim") << true
                                    << QStringList{QStringLiteral("claim"), QStringLiteral("seed"),
                                                   QStringLiteral("read"), question, QStringLiteral("write"),
                                                   QStringLiteral("open"), show, QStringLiteral("draw")};
    QTest::newRow("seed") << QStringLiteral("seed") << true
                          << QStringList{QStringLiteral("claim"), QStringLiteral("seed"), QStringLiteral("read"),
                                         question, QStringLiteral("write"), QStringLiteral("open"), show,
                                         QStringLiteral("draw")};
    QTest::newRow("reading the setting") << QStringLiteral("read") << true
                                         << QStringList{QStringLiteral("claim"), QStringLiteral("seed"),
                                                        QStringLiteral("read"), show, QStringLiteral("draw")};
    QTest::newRow("the question") << QStringLiteral("message") << true
                                  << QStringList{QStringLiteral("claim"), QStringLiteral("seed"),
                                                 QStringLiteral("read"), question, show, QStringLiteral("draw")};
    QTest::newRow("writing the setting")
        << QStringLiteral("write") << true
        << QStringList{QStringLiteral("claim"), QStringLiteral("seed"), QStringLiteral("read"), question,
                       QStringLiteral("write"), show, QStringLiteral("draw")};
    // No question whose answer could not be stored.
    QTest::newRow("settings that cannot be written")
        << QString() << false
        << QStringList{QStringLiteral("claim"), QStringLiteral("seed"), QStringLiteral("read"), show,
                       QStringLiteral("draw")};
    QTest::newRow("the draw") << QStringLiteral("draw") << true
                              << QStringList{QStringLiteral("claim"), QStringLiteral("seed"), QStringLiteral("read"),
                                             question, QStringLiteral("write"), QStringLiteral("open"), show,
                                             QStringLiteral("draw")};
}

void TestStartup::failingStep()
{
    QFETCH(QString, failing);
    QFETCH(bool, writable);
    QFETCH(QStringList, steps);

    FakeDesktop desktop;
    StepRecorder recorder(desktop);
    storeDaysAgo(desktop, 100);
    desktop.answer = platform::Answer::Yes;
    desktop.settingsWritable = writable;
    desktop.failOn = failing;
    app::Shell shell(desktop);

    QVERIFY(app::StartApplication(desktop, shell));

    QCOMPARE(recorder.steps, steps);
    QVERIFY(topLevelWindow<FrmMain>());
    QVERIFY(topLevelWindow<FrmMain>()->isVisible());
    QCOMPARE(visibleWindows(), 1);
}

void TestStartup::bannerDraw_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("front");

    const QString coBrand = QStringLiteral("lblCobrand");
    const QString fullBrand = QStringLiteral("lblFullBrand");
    QTest::newRow("0") << 0.0 << 1 << coBrand;
    QTest::newRow("just below 1/6") << std::nextafter(1.0 / 6, 0.0) << 1 << coBrand;
    QTest::newRow("0.25") << 0.25 << 2 << fullBrand;
    QTest::newRow("0.4") << 0.4 << 3 << coBrand;
    QTest::newRow("0.5") << 0.5 << 4 << fullBrand;
    QTest::newRow("0.7") << 0.7 << 5 << coBrand;
    QTest::newRow("5/6") << 5.0 / 6 << 6 << fullBrand;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 6 << fullBrand;
    QTest::newRow("largest 32-bit draw") << 4294967295.0 / 4294967296.0 << 6 << fullBrand;
    QTest::newRow("faulty draw of 1") << 1.0 << 6 << fullBrand;
    QTest::newRow("faulty negative draw") << -0.5 << 1 << coBrand;
    QTest::newRow("faulty draw, not a number") << std::nan("") << 1 << coBrand;
}

void TestStartup::bannerDraw()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(QString, front);

    // Whichever banner lay on top before, the draw decides.
    for (bool coBrandFirst : {true, false}) {
        BannerWindow banners;
        (coBrandFirst ? banners.coBrand : banners.fullBrand)->raise();
        FakeDesktop desktop;
        desktop.draws = {r};
        QCOMPARE(app::CoBrand_Randomize(desktop, &banners.window), number);
        QCOMPARE(banners.onTop(), front);
        QVERIFY(desktop.draws.empty());
    }
}

void TestStartup::bannerDrawWithoutWindow()
{
    FakeDesktop desktop;
    desktop.draws = {0.6};
    QCOMPARE(app::CoBrand_Randomize(desktop, nullptr), 4);
    QVERIFY(desktop.draws.empty());
}

void TestStartup::bothBannersComeUp()
{
    BannerWindow banners;
    FakeDesktop desktop;
    QMap<QString, int> fronts;
    for (int i = 0; i < 600; ++i) {
        desktop.draws = {i / 600.0};
        const int number = app::CoBrand_Randomize(desktop, &banners.window);
        QVERIFY(number >= 1 && number <= 6);
        ++fronts[banners.onTop()];
    }
    QCOMPARE(fronts.value(QStringLiteral("lblCobrand")), 300);
    QCOMPARE(fronts.value(QStringLiteral("lblFullBrand")), 300);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
