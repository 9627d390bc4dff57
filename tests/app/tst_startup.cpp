#include "app/SettingCodec.h"
#include "app/Shell.h"
#include "app/Startup.h"
#include "windowkit/Site.h"

#include "FakeDesktop.h"
#include "Windows.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QtTest>

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

// Records every call start-up makes into the desktop, together with the
// moment the main window is shown, and can make one kind of call fail.
class StepDesktop : public FakeDesktop, public QObject
{
public:
    StepDesktop() { qApp->installEventFilter(this); }

    QStringList steps;
    QString failing;

    bool claimSingleInstance() override
    {
        step(QStringLiteral("claim"));
        return FakeDesktop::claimSingleInstance();
    }
    void seedRandom() override
    {
        step(QStringLiteral("seed"));
        FakeDesktop::seedRandom();
    }
    QString readSetting(const QString &section, const QString &key) override
    {
        step(QStringLiteral("read"));
        return FakeDesktop::readSetting(section, key);
    }
    bool writeSetting(const QString &section, const QString &key, const QString &value) override
    {
        step(QStringLiteral("write"));
        return FakeDesktop::writeSetting(section, key, value);
    }
    platform::Answer message(const QString &text, platform::Icon icon, platform::Buttons buttons) override
    {
        // Nothing of the program may be visible behind a start-up message.
        step(QStringLiteral("message with %1 windows").arg(visibleWindows()));
        return FakeDesktop::message(text, icon, buttons);
    }
    void openUrl(const QString &address) override
    {
        step(QStringLiteral("open"));
        FakeDesktop::openUrl(address);
    }
    double random() override
    {
        step(QStringLiteral("draw"));
        return FakeDesktop::random();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QStringLiteral("frmMain"))
            steps << QStringLiteral("show");
        return false;
    }

private:
    void step(const QString &name)
    {
        steps << name;
        if (name.startsWith(failing) && !failing.isEmpty())
            throw std::runtime_error("failing desktop call");
    }
};

QString settingsKey()
{
    return QStringLiteral("Settings/") + app::EncodeSetting(QStringLiteral("Duration"));
}

void storeDaysAgo(FakeDesktop &desktop, int days)
{
    desktop.settings.insert(settingsKey(),
                            app::EncodeSetting(desktop.date.addDays(-days).toString(Qt::ISODate)));
}

QString bannerOnTop(FrmMain *window)
{
    auto *coBrand = window->findChild<QLabel *>(QStringLiteral("lblCobrand"));
    if (!coBrand)
        return QStringLiteral("no banner");
    QWidget *top = coBrand->parentWidget()->childAt(coBrand->geometry().center());
    return top ? top->objectName() : QString();
}

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
};

void TestStartup::cleanup()
{
    deleteTopLevelWindows();
}

void TestStartup::refusedWhenAnotherCopyRuns()
{
    StepDesktop desktop;
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
    QCOMPARE(desktop.steps, (QStringList{QStringLiteral("claim"), QStringLiteral("message with 0 windows")}));
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

    StepDesktop desktop;
    if (storedDaysAgo >= 0)
        storeDaysAgo(desktop, storedDaysAgo);
    desktop.answer = answer;
    desktop.draws = {draw};
    app::Shell shell(desktop);

    QVERIFY(app::StartApplication(desktop, shell));

    QCOMPARE(desktop.steps, steps);
    FrmMain *window = topLevelWindow<FrmMain>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(!window->parentWidget());
    QVERIFY(!window->isModal());
    QCOMPARE(visibleWindows(), 1);
    QCOMPARE(bannerOnTop(window), banner);
    if (steps.contains(QStringLiteral("open")))
        QCOMPARE(desktop.openedUrls, QStringList{windowkit::pageAddress(QStringLiteral("download-web-page"))});
    else
        QVERIFY(desktop.openedUrls.isEmpty());
    if (steps.contains(QStringLiteral("write")))
        QCOMPARE(desktop.settings.value(settingsKey()),
                 app::EncodeSetting(desktop.date.toString(QStringLiteral("yyyy-MM-dd"))));
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

    StepDesktop desktop;
    storeDaysAgo(desktop, 100);
    desktop.answer = platform::Answer::Yes;
    desktop.settingsWritable = writable;
    desktop.failing = failing;
    app::Shell shell(desktop);

    QVERIFY(app::StartApplication(desktop, shell));

    QCOMPARE(desktop.steps, steps);
    QVERIFY(topLevelWindow<FrmMain>());
    QVERIFY(topLevelWindow<FrmMain>()->isVisible());
    QCOMPARE(visibleWindows(), 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
