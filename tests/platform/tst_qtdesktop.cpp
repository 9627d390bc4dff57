// The real desktop seam against real files: the settings store in a private
// configuration folder and the instance lock in a private runtime folder,
// both set up before the application object reads its environment.

#include "app/SettingCodec.h"
#include "platform/QtDesktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QString exeName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString latin1From(int first, int last)
{
    QString text;
    for (int code = first; code <= last; ++code)
        text.append(QChar(code));
    return text;
}

} // namespace

class TestQtDesktop : public QObject
{
    Q_OBJECT

public:
    explicit TestQtDesktop(QString home) : m_home(std::move(home)) {}

private slots:
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void missingEntryReadsEmpty();
    void nativeStoreIsNamedAfterTheProgram();
    void unwritableStore_data();
    void unwritableStore();
    void instanceLock();
    void claimLock_data();
    void claimLock();
    void message_data();
    void message();
    void messageBelongsToTheActiveWindow();
    void randomDraws();

private:
    QString m_home;
};

void TestQtDesktop::settingsRoundTrip_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QList<std::tuple<const char *, QString, QString>> cases{
        {"plain", QStringLiteral("Duration"), QStringLiteral("2026-06-15")},
        {"shifted key and date", app::EncodeSetting(QStringLiteral("Duration")),
         app::EncodeSetting(QStringLiteral("2026-06-15"))},
        {"shifted slashes", app::EncodeSetting(QStringLiteral("Duration")),
         app::EncodeSetting(QStringLiteral("6/15/26"))},
        {"every shifted code", latin1From(85, 255).remove(u'\\'), latin1From(1, 255)},
        {"leading at sign", QStringLiteral("k"), QStringLiteral("@Variant(x)")},
        {"comma", QStringLiteral("k"), QStringLiteral("a, b")},
        {"quotes and equals", QStringLiteral("k"), QStringLiteral("\"x\";y=z")},
        {"blanks at both ends", QStringLiteral("k"), QStringLiteral("  x  ")},
    };
    for (const auto &[name, key, value] : cases) {
        QTest::addRow("file: %s", name) << false << key << value;
        QTest::addRow("native: %s", name) << true << key << value;
    }
}

void TestQtDesktop::settingsRoundTrip()
{
    QFETCH(bool, native);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString file = native ? QString() : dir.filePath(QStringLiteral("quenlory.ini"));

    {
        platform::QtDesktop writer(file);
        QVERIFY(writer.writeSetting(QStringLiteral("Settings"), QStringLiteral("other"), QStringLiteral("kept")));
        QVERIFY(writer.writeSetting(QStringLiteral("Settings"), key, value));
    }
    if (!native)
        QVERIFY(QFileInfo::exists(file));

    platform::QtDesktop reader(file);
    QCOMPARE(reader.readSetting(QStringLiteral("Settings"), key), value);
    QCOMPARE(reader.readSetting(QStringLiteral("Settings"), QStringLiteral("other")), QStringLiteral("kept"));
    QCOMPARE(reader.readSetting(QStringLiteral("Other"), key), QString());
}

void TestQtDesktop::missingEntryReadsEmpty()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("absent.ini"));
    platform::QtDesktop desktop(file);
    QCOMPARE(desktop.readSetting(QStringLiteral("Settings"), QStringLiteral("Duration")), QString());
    QVERIFY(!QFileInfo::exists(file));
}

void TestQtDesktop::nativeStoreIsNamedAfterTheProgram()
{
    const QString path = m_home + QStringLiteral("/config/") + exeName() + u'/' + exeName() + QStringLiteral(".conf");
    QFile::remove(path);
    const QString key = app::EncodeSetting(QStringLiteral("Duration"));
    const QString value = app::EncodeSetting(QStringLiteral("2026-06-15"));
    platform::QtDesktop desktop;
    QVERIFY(desktop.writeSetting(QStringLiteral("Settings"), key, value));

    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QSettings file(path, QSettings::IniFormat);
    QCOMPARE(file.childGroups(), QStringList{QStringLiteral("Settings")});
    file.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(file.childKeys(), QStringList{key});
    QCOMPARE(file.value(key).toString(), value);
}

void TestQtDesktop::unwritableStore_data()
{
    QTest::addColumn<QString>("relativePath");

    QTest::newRow("folder is a file") << QStringLiteral("plain/quenlory.ini");
    QTest::newRow("file is a folder") << QStringLiteral("folder");
}

void TestQtDesktop::unwritableStore()
{
    QFETCH(QString, relativePath);
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    platform::QtDesktop desktop(dir.filePath(relativePath));
    QVERIFY(!desktop.writeSetting(QStringLiteral("Settings"), QStringLiteral("Duration"), QStringLiteral("x")));
    QCOMPARE(desktop.readSetting(QStringLiteral("Settings"), QStringLiteral("Duration")), QString());
}

void TestQtDesktop::instanceLock()
{
    const QString lockFile = m_home + QStringLiteral("/runtime/") + exeName() + QStringLiteral(".lock");
    {
        platform::QtDesktop first;
        QVERIFY(first.claimSingleInstance());
        QVERIFY(QFileInfo::exists(lockFile));
        platform::QtDesktop second;
        QVERIFY(!second.claimSingleInstance());
        QVERIFY(!second.claimSingleInstance());
    }
    QVERIFY(!QFileInfo::exists(lockFile));
    platform::QtDesktop later;
    QVERIFY(later.claimSingleInstance());
}

void TestQtDesktop::claimLock_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("claimed");

    QTest::newRow("no lock") << QStringLiteral("none") << true;
    QTest::newRow("held by a live copy") << QStringLiteral("live") << false;
    QTest::newRow("left by a dead copy") << QStringLiteral("dead") << true;
    QTest::newRow("left by a dead copy long ago") << QStringLiteral("dead-old") << true;
    QTest::newRow("held for a long time") << QStringLiteral("live-old") << false;
    QTest::newRow("cannot be made") << QStringLiteral("impossible") << true;
}

void TestQtDesktop::claimLock()
{
    QFETCH(QString, situation);
    QFETCH(bool, claimed);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("quenlory.lock"));

    std::unique_ptr<QLockFile> holder;
    if (situation.startsWith(QStringLiteral("live"))) {
        holder = std::make_unique<QLockFile>(path);
        QVERIFY(holder->tryLock(0));
    } else if (situation.startsWith(QStringLiteral("dead"))) {
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n'
                   + QSysInfo::machineHostName().toUtf8() + '\n');
        file.close();
    } else if (situation == QStringLiteral("impossible")) {
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        path = plain.fileName() + QStringLiteral("/quenlory.lock");
    }
    if (situation.endsWith(QStringLiteral("-old"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    }

    QLockFile lock(path);
    QCOMPARE(platform::claimInstanceLock(lock), claimed);
    QCOMPARE(lock.isLocked(), claimed && situation != QStringLiteral("impossible"));
}

void TestQtDesktop::message_data()
{
    QTest::addColumn<platform::Icon>("icon");
    QTest::addColumn<platform::Buttons>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<platform::Answer>("answer");

    QTest::newRow("information, OK") << platform::Icon::Information << platform::Buttons::Ok
                                     << int(QMessageBox::Ok) << platform::Answer::Ok;
    QTest::newRow("critical, OK") << platform::Icon::Critical << platform::Buttons::Ok << int(QMessageBox::Ok)
                                  << platform::Answer::Ok;
    QTest::newRow("question answered yes") << platform::Icon::Information << platform::Buttons::YesNo
                                           << int(QMessageBox::Yes) << platform::Answer::Yes;
    QTest::newRow("question answered no") << platform::Icon::Information << platform::Buttons::YesNo
                                          << int(QMessageBox::No) << platform::Answer::No;
}

void TestQtDesktop::message()
{
    QFETCH(platform::Icon, icon);
    QFETCH(platform::Buttons, buttons);
    QFETCH(int, press);
    QFETCH(platform::Answer, answer);

    QString title, text;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    // The box is modal: look at it and press the button from the event loop
    // it runs.
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        box->button(QMessageBox::StandardButton(press))->click();
    });
    platform::QtDesktop desktop;
    const platform::Answer given = desktop.message(QStringLiteral("line one\nline two"), icon, buttons);

    QCOMPARE(given, answer);
    QCOMPARE(title, QStringLiteral("Quenlory"));
    QCOMPARE(text, QStringLiteral("line one\nline two"));
    QCOMPARE(shownIcon, icon == platform::Icon::Critical ? QMessageBox::Critical : QMessageBox::Information);
    QCOMPARE(shownButtons, buttons == platform::Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                               : QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestQtDesktop::messageBelongsToTheActiveWindow()
{
    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QWidget *owner = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        owner = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    platform::QtDesktop().message(QStringLiteral("Please Enter Proper Email Address"), platform::Icon::Critical,
                                  platform::Buttons::Ok);
    QCOMPARE(owner, &window);
}

void TestQtDesktop::randomDraws()
{
    platform::QtDesktop desktop;
    desktop.seedRandom();
    QSet<double> seen;
    for (int i = 0; i < 2000; ++i) {
        const double r = desktop.random();
        QVERIFY(r >= 0.0 && r < 1.0);
        seen.insert(r);
    }
    QVERIFY(seen.size() > 1900);
}

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid() || !QDir(home.path()).mkdir(QStringLiteral("runtime")))
        return 1;
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());
    QApplication app(argc, argv);
    TestQtDesktop test(home.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qtdesktop.moc"
