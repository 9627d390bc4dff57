// Copies of the real program, each in a private home on the offscreen
// platform. A small plugin loaded into every copy logs the message boxes and
// windows it shows and answers the boxes, so a refused copy can end on its
// own after its message.


#include "Build.h"
#include "StoredForm.h"
#include "Unprivileged.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

#include <unistd.h>

namespace {

const QString kRefusal =
    QStringLiteral("message|Quenlory|Application is already running|information|Ok");
const QString kMainWindow = QStringLiteral("window|frmMain|") + programCaption();
const QString kQuestion = QStringLiteral(
    "message|Quenlory|There maybe an update to this software available\\n"
    "Do you want to check for an update?|information|Yes+No");
const QString kDownloadPage =
    QStringLiteral("open|https://www.talvane.example/quenlory/ssd.php?page=download-web-page");
const int kWait = 15000;

// Root writes any file whatever its permissions, so a copy that must meet a
// read-only file runs as an unprivileged user when the test runs as root,
// from copies of the program and its observer plugin that user can reach.
unprivileged::Copies &reachable()
{
    static unprivileged::Copies copies;
    return copies;
}

// The program's name, which names its settings folder and its lock.
QString programName()
{
    return QStringLiteral("quenlory");
}

// One user's home: configuration and runtime folders of its own, so the
// settings file and the instance lock are those of this test alone.
class Home
{
public:
    Home()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("config"));
        root.mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    ~Home()
    {
        for (auto &copy : m_copies) {
            if (copy->state() != QProcess::NotRunning) {
                copy->kill();
                copy->waitForFinished();
            }
        }
    }

    // Makes the home and everything in it the unprivileged user's when the
    // test runs as root; copies started afterwards run as that user.
    void handToUnprivilegedUser()
    {
        if (::geteuid() != 0)
            return;
        m_unprivileged = true;
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        QStringList paths{m_dir.path()};
        while (it.hasNext())
            paths << it.next();
        for (const QString &path : paths)
            QVERIFY(::lchown(QFile::encodeName(path).constData(), unprivileged::kUser, unprivileged::kUser) == 0);
    }

    QProcess *start(const QString &answer = QStringLiteral("no"))
    {
        const QString log = m_dir.filePath(QStringLiteral("copy%1.log").arg(m_copies.size()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
        QString binary = QStringLiteral(QUENLORY_BINARY);
        QString plugins = QStringLiteral(QUENLORY_PLUGIN_DIR);
        if (m_unprivileged) {
            binary = reachable().add(binary);
            plugins = reachable().add(plugins);
        }
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), plugins);
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("quenlorystartupobserver"));
        env.insert(QStringLiteral("QUENLORY_OBSERVER_LOG"), log);
        env.insert(QStringLiteral("QUENLORY_OBSERVER_ANSWER"), answer);
        auto copy = std::make_unique<QProcess>();
        copy->setProcessEnvironment(env);
        copy->setProperty("log", log);
        copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (m_unprivileged)
            copy->setChildProcessModifier(unprivileged::become);
        copy->start(binary, {});
        m_copies.push_back(std::move(copy));
        return m_copies.back().get();
    }

    static QStringList log(const QProcess *copy)
    {
        QFile file(copy->property("log").toString());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QString settingsPath() const
    {
        return m_dir.filePath(QStringLiteral("config/") + programName() + u'/' + programName()
                              + QStringLiteral(".conf"));
    }
    QString lockPath() const
    {
        return m_dir.filePath(QStringLiteral("runtime/") + programName() + QStringLiteral(".lock"));
    }

    // The stored date as the store holds it; empty when there is no entry.
    QString storedDate() const
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        return settings.value(storedEntryKey()).toString();
    }
    void storeDate(const QString &text)
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.setValue(storedEntryKey(), storedForm(text));
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_copies;
    bool m_unprivileged = false;
};

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

bool showsMainWindow(const QProcess *copy)
{
    return Home::log(copy).contains(kMainWindow);
}

} // namespace

class TestStartupInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyIsRefused_data();
    void secondCopyIsRefused();
    void killedCopyDoesNotBlock();
    void simultaneousStarts_data();
    void simultaneousStarts();
    void reminderAcrossStarts();
    void unwritableSettings();
    void damagedSettings_data();
    void damagedSettings();
};

void TestStartupInstance::secondCopyIsRefused_data()
{
    QTest::addColumn<QString>("entry");

    // Each entry would make a copy that got past the guard write or ask.
    QTest::newRow("entry of the first start") << QStringLiteral("keep");
    QTest::newRow("no entry") << QStringLiteral("remove");
    QTest::newRow("entry 30 days old") << QStringLiteral("old");
}

void TestStartupInstance::secondCopyIsRefused()
{
    QFETCH(QString, entry);
    Home home;
    QProcess *first = home.start();
    QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(first), kWait);
    QTRY_COMPARE_WITH_TIMEOUT(home.storedDate(), storedForm(today()), kWait);

    if (entry == QStringLiteral("remove"))
        QVERIFY(QFile::remove(home.settingsPath()));
    else if (entry == QStringLiteral("old"))
        home.storeDate(QDate::currentDate().addDays(-30).toString(Qt::ISODate));
    QByteArray before;
    QDateTime modified;
    if (QFile file(home.settingsPath()); file.open(QIODevice::ReadOnly)) {
        before = file.readAll();
        modified = QFileInfo(file).lastModified();
    }
    const QStringList firstLog = Home::log(first);

    QProcess *second = home.start(QStringLiteral("yes"));
    QVERIFY(second->waitForFinished(kWait));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(Home::log(second), (QStringList{QStringLiteral("start"), kRefusal}));

    QCOMPARE(QFileInfo::exists(home.settingsPath()), entry != QStringLiteral("remove"));
    if (QFile file(home.settingsPath()); file.open(QIODevice::ReadOnly)) {
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QFileInfo(file).lastModified(), modified);
    }
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(Home::log(first), firstLog);
}

void TestStartupInstance::killedCopyDoesNotBlock()
{
    Home home;
    QProcess *first = home.start();
    QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(first), kWait);
    first->kill();
    QVERIFY(first->waitForFinished(kWait));
    QCOMPARE(first->exitStatus(), QProcess::CrashExit);
    // The killed copy could not remove its lock.
    QVERIFY(QFileInfo::exists(home.lockPath()));

    QProcess *next = home.start();
    QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(next), kWait);
    QCOMPARE(Home::log(next), (QStringList{QStringLiteral("start"), kMainWindow}));
    QCOMPARE(next->state(), QProcess::Running);

    QProcess *third = home.start();
    QVERIFY(third->waitForFinished(kWait));
    QCOMPARE(Home::log(third), (QStringList{QStringLiteral("start"), kRefusal}));
}

void TestStartupInstance::simultaneousStarts_data()
{
    QTest::addColumn<int>("copies");

    QTest::newRow("two") << 2;
    QTest::newRow("three") << 3;
    QTest::newRow("two over a lock left by a killed copy") << -2;
}

void TestStartupInstance::simultaneousStarts()
{
    QFETCH(int, copies);
    for (int round = 0; round < 3; ++round) {
        Home home;
        if (copies < 0) {
            QProcess *killed = home.start();
            QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(killed), kWait);
            killed->kill();
            QVERIFY(killed->waitForFinished(kWait));
        }
        std::vector<QProcess *> started;
        for (int i = 0; i < std::abs(copies); ++i)
            started.push_back(home.start());

        QProcess *runner = nullptr;
        for (QProcess *copy : started) {
            QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(copy) || copy->state() == QProcess::NotRunning, kWait);
            if (showsMainWindow(copy)) {
                QVERIFY2(!runner, "two copies run");
                runner = copy;
            }
        }
        QVERIFY(runner);
        for (QProcess *copy : started) {
            if (copy == runner)
                continue;
            QCOMPARE(copy->exitCode(), 0);
            QCOMPARE(Home::log(copy), (QStringList{QStringLiteral("start"), kRefusal}));
        }
        QCOMPARE(runner->state(), QProcess::Running);
        QCOMPARE(Home::log(runner), (QStringList{QStringLiteral("start"), kMainWindow}));
    }
}

void TestStartupInstance::reminderAcrossStarts()
{
    Home home;
    // Each start: what the entry holds before it, what the copy shows, what
    // the entry holds after it.
    struct Start {
        QString before;
        QStringList shown;
        QString after;
    };
    const QString old = QDate::currentDate().addDays(-15).toString(Qt::ISODate);
    const QString recent = QDate::currentDate().addDays(-14).toString(Qt::ISODate);
    const std::vector<Start> starts{
        {QString(), {kMainWindow}, today()},
        {QString(), {kMainWindow}, today()},
        {recent, {kMainWindow}, recent},
        {old, {kQuestion, kMainWindow}, today()},
        {QString(), {kMainWindow}, today()},
        {QStringLiteral("not a date"), {kMainWindow}, QStringLiteral("not a date")},
        {QStringLiteral("not a date"), {kMainWindow}, QStringLiteral("not a date")},
    };
    for (const Start &start : starts) {
        if (!start.before.isEmpty())
            home.storeDate(start.before);
        QProcess *copy = home.start();
        QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(copy), kWait);
        QCOMPARE(Home::log(copy), QStringList{QStringLiteral("start")} + start.shown);
        QCOMPARE(home.storedDate(), storedForm(start.after));
        copy->kill();
        QVERIFY(copy->waitForFinished(kWait));
    }
}

void TestStartupInstance::unwritableSettings()
{
    Home home;
    // A plain file where the program's settings folder belongs.
    QFile blocker(home.path(QStringLiteral("config/") + programName()));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QProcess *copy = home.start();
    QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(copy), kWait);
    QCOMPARE(Home::log(copy), (QStringList{QStringLiteral("start"), kMainWindow}));
    QCOMPARE(copy->state(), QProcess::Running);
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
}

void TestStartupInstance::damagedSettings_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("repaired");

    const QByteArray oldEntry = [] {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("old.conf"));
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.setValue(QStringLiteral("Other/kept"), QStringLiteral("yes"));
            settings.setValue(storedEntryKey(),
                              storedForm(QDate::currentDate().addDays(-30).toString(Qt::ISODate)));
        }
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();
    const QByteArray garbage = "this line is no setting\n[half a section\n";

    // The store's own handling of damaged files is tested with the store
    // (tst_qtdesktop); here, what the user sees of it. A damaged file that
    // can be written costs the user nothing: the date in it is read, the
    // answer is stored, the page opens, the file is repaired.
    QTest::newRow("garbage lines, question due") << QStringLiteral("file") << oldEntry + garbage
                                                 << QStringList{kQuestion, kDownloadPage, kMainWindow} << true;
    // One that cannot be written: no question, nothing written, nothing lost.
    QTest::newRow("read-only file, question due") << QStringLiteral("read-only") << oldEntry
                                                  << QStringList{kMainWindow} << false;
}

void TestStartupInstance::damagedSettings()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, shown);
    QFETCH(bool, repaired);
    Home home;
    QVERIFY(QDir().mkpath(QFileInfo(home.settingsPath()).path()));
    {
        QFile file(home.settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    home.handToUnprivilegedUser();
    if (kind == QStringLiteral("read-only"))
        QVERIFY(QFile::setPermissions(home.settingsPath(), QFileDevice::ReadOwner));

    QProcess *copy = home.start(QStringLiteral("yes"));
    QTRY_VERIFY_WITH_TIMEOUT(showsMainWindow(copy) || copy->state() == QProcess::NotRunning, kWait);
    QCOMPARE(Home::log(copy), QStringList{QStringLiteral("start")} + shown);

    const QStringList entries = QDir(QFileInfo(home.settingsPath()).path())
                                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QCOMPARE(entries, QStringList{QFileInfo(home.settingsPath()).fileName()});
    if (!repaired) {
        QFile file(home.settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    } else {
        QCOMPARE(home.storedDate(), storedForm(today()));
        QSettings settings(home.settingsPath(), QSettings::IniFormat);
        QCOMPARE(settings.status(), QSettings::NoError);
        QCOMPARE(settings.value(QStringLiteral("Other/kept")).toString(), QStringLiteral("yes"));
    }
}

QTEST_GUILESS_MAIN(TestStartupInstance)
#include "tst_startup_instance.moc"
