// The real desktop seam against real files: the settings store in a private
// configuration folder and the instance guard in a private runtime folder,
// both set up before the application object reads its environment.

#include "platform/InstanceGuard.h"
#include "platform/QtDesktop.h"

#include "StoredForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstring>
#ifdef Q_OS_UNIX
#include "Unprivileged.h"

#include <sys/stat.h>
#endif

namespace {

const char kWriteProbe[] = "--write-setting";

// The store and the lock are named after the running program: this test.
QString exeName()
{
    return QStringLiteral("tst_qtdesktop");
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
    void damagedStore_data();
    void damagedStore();
    void instanceLock();
    void claimLock_data();
    void claimLock();
    void mutexClaim_data();
    void mutexClaim();
    void shellOpen();
    void message_data();
    void message();
    void questionNeedsAnAnswer_data();
    void questionNeedsAnAnswer();
    void messageBelongsToTheActiveWindow();
    void randomDraws();

private:
    QString m_home;
#ifdef Q_OS_UNIX
    unprivileged::Copies m_copies;
#endif
};

void TestQtDesktop::settingsRoundTrip_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QList<std::tuple<const char *, QString, QString>> cases{
        {"plain", QStringLiteral("Duration"), QStringLiteral("2026-06-15")},
        {"shifted key and date", storedKeyName(),
         storedForm(QStringLiteral("2026-06-15"))},
        {"shifted slashes", storedKeyName(),
         storedForm(QStringLiteral("6/15/26"))},
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
#ifdef Q_OS_WIN
    // The registry: HKEY_CURRENT_USER\Software\<program>\<program>.
    const QString path = QStringLiteral("HKEY_CURRENT_USER\\Software\\") + exeName() + u'\\' + exeName();
    QSettings(path, QSettings::NativeFormat).clear();
#else
    const QString path = m_home + QStringLiteral("/config/") + exeName() + u'/' + exeName() + QStringLiteral(".conf");
    QFile::remove(path);
#endif
    const QString key = storedKeyName();
    const QString value = storedForm(QStringLiteral("2026-06-15"));
    platform::QtDesktop desktop;
    QVERIFY(desktop.writeSetting(QStringLiteral("Settings"), key, value));

#ifdef Q_OS_WIN
    QSettings file(path, QSettings::NativeFormat);
#else
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QSettings file(path, QSettings::IniFormat);
#endif
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

void TestQtDesktop::damagedStore_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("writable");

    const QByteArray kept = "[Settings]\nother=kept\n";
    QByteArray binary;
    for (int i = 0; i < 1024; ++i)
        binary.append(char((i * 37 + 11) % 256));

    // Writable but damaged: the write succeeds, says so and repairs the file.
    QTest::newRow("garbage lines") << QStringLiteral("file")
                                   << kept + "no equals sign here\n[broken\n=\n\\x\xff\n" << true;
    QTest::newRow("garbage only") << QStringLiteral("file") << QByteArray("[[[\n]]]\n@@@\n") << true;
    QTest::newRow("binary") << QStringLiteral("file") << binary << true;
    QTest::newRow("empty") << QStringLiteral("file") << QByteArray() << true;
    // Unwritable: nothing is written and nothing in the file is lost.
    QTest::newRow("read-only") << QStringLiteral("read-only") << kept << false;
    QTest::newRow("read-only with garbage") << QStringLiteral("read-only") << kept + "no equals sign\n"
                                            << false;
    QTest::newRow("folder in its place") << QStringLiteral("folder") << QByteArray() << false;
}

void TestQtDesktop::damagedStore()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, contents);
    QFETCH(bool, writable);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("quenlory.ini"));
    if (kind == QStringLiteral("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quenlory.ini")));
    } else {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(contents);
    }
#ifdef Q_OS_UNIX
    if (::geteuid() == 0) {
        QVERIFY(::chown(QFile::encodeName(dir.path()).constData(), unprivileged::kUser, unprivileged::kUser) == 0);
        QVERIFY(::chown(QFile::encodeName(file).constData(), unprivileged::kUser, unprivileged::kUser) == 0);
    }
#endif
    if (kind == QStringLiteral("read-only"))
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));

    QProcess probe;
    QString prober = QCoreApplication::applicationFilePath();
#ifdef Q_OS_UNIX
    // Root writes any file whatever its permissions, so when the test runs as
    // root the probe runs as an unprivileged user, from a copy it can reach.
    if (::geteuid() == 0) {
        QVERIFY(m_copies.isValid());
        prober = m_copies.add(prober);
        probe.setChildProcessModifier(unprivileged::become);
    }
#endif
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(prober, {QString::fromLatin1(kWriteProbe), file});
    QVERIFY(probe.waitForFinished(15000));
    QCOMPARE(probe.exitCode(), 0);
    const QByteArray expected = writable ? "can write: 1, written: 1\n" : "can write: 0, written: 0\n";
    // The probe prints in text mode, which ends its line with CR LF on Windows.
    QByteArray output = probe.readAllStandardOutput().replace("\r\n", "\n");
#ifdef Q_OS_WIN
    // Under Wine (run as root) a read-only file still looks writable to the
    // probe, which runs as the same user: there only the write itself is
    // checked, which must fail; "can write" is checked on Linux.
    if (kind == QStringLiteral("read-only")) {
        qInfo("the read-only file's \"can write\" answer is not checked on Windows");
        QVERIFY2(output.endsWith(", written: 0\n"), output.constData());
    } else {
        QCOMPARE(output, expected);
    }
#else
    QCOMPARE(output, expected);
#endif

    const QString key = storedEntryKey();
    if (kind == QStringLiteral("folder")) {
        QVERIFY(QFileInfo(file).isDir());
        QVERIFY(QDir(file).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
    } else if (!writable) {
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), contents);
    } else {
        // Repaired: the file now reads without an error, holds the value and
        // whatever could be read before.
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.value(key).toString(), storedForm(QStringLiteral("2026-06-15")));
        QCOMPARE(check.status(), QSettings::NoError);
        if (contents.startsWith("[Settings]\nother=kept\n"))
            QCOMPARE(check.value(QStringLiteral("Settings/other")).toString(), QStringLiteral("kept"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("quenlory.ini")});
}

void TestQtDesktop::instanceLock()
{
#ifdef Q_OS_WIN
    QSKIP("On Windows the guard is a named mutex of the session, with no file; "
          "the second-copy journey under Wine tries it");
#endif
    const QString lockFile = m_home + QStringLiteral("/runtime/") + exeName() + QStringLiteral(".lock");
    QCOMPARE(platform::InstanceGuard::defaultName(), lockFile);
    {
        platform::QtDesktop first;
        QVERIFY(first.claimSingleInstance());
        QVERIFY(first.claimSingleInstance());
        QVERIFY(QFileInfo::exists(lockFile));
        platform::QtDesktop second;
        QVERIFY(!second.claimSingleInstance());
        QVERIFY(!second.claimSingleInstance());
    }
    // The file may stay: only the lock on it counts.
    platform::QtDesktop later;
    QVERIFY(later.claimSingleInstance());
}

void TestQtDesktop::claimLock_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("claim");

    const int alone = int(platform::InstanceGuard::Claim::Alone);
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray livePid = QByteArray::number(QCoreApplication::applicationPid());
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary.append(char(i));

    QTest::newRow("no lock file") << QStringLiteral("none") << QByteArray() << alone;
    // Whatever a file left behind holds, nobody holds the lock on it: a
    // crash while it was written, a lock of another host in a roaming home,
    // a process id that names a live process.
    QTest::newRow("empty") << QStringLiteral("file") << QByteArray() << alone;
    QTest::newRow("truncated") << QStringLiteral("file") << QByteArray("12") << alone;
    QTest::newRow("garbage") << QStringLiteral("file") << QByteArray("lock?\n\n\n==\n") << alone;
    QTest::newRow("binary") << QStringLiteral("file") << binary << alone;
    QTest::newRow("live process on this host") << QStringLiteral("file") << livePid + "\nquenlory\n" + host + '\n'
                                               << alone;
    QTest::newRow("another host") << QStringLiteral("file") << livePid + "\nquenlory\nroaming.example\n" << alone;
    QTest::newRow("read-only file") << QStringLiteral("read-only") << livePid + '\n' << alone;
    QTest::newRow("a folder in its place") << QStringLiteral("folder") << QByteArray() << alone;
    // The owner's lock ends with the owner, not with its children: a
    // browser it started keeps running.
    QTest::newRow("owner ended") << QStringLiteral("released") << QByteArray() << alone;
    QTest::newRow("owner ended, its child runs on") << QStringLiteral("child") << QByteArray() << alone;

    QTest::newRow("held by a live copy") << QStringLiteral("held") << QByteArray()
                                         << int(platform::InstanceGuard::Claim::AnotherRuns);
    QTest::newRow("held by another process") << QStringLiteral("held elsewhere") << QByteArray()
                                             << int(platform::InstanceGuard::Claim::AnotherRuns);
    // A runtime folder that cannot be written: nobody can tell, the program runs.
    QTest::newRow("cannot be made") << QStringLiteral("impossible") << QByteArray()
                                    << int(platform::InstanceGuard::Claim::Unavailable);
}

void TestQtDesktop::claimLock()
{
#ifdef Q_OS_WIN
    QSKIP("On Windows the guard is a named mutex of the session, with no file; "
          "the second-copy journey under Wine tries it");
#endif
    QFETCH(QString, situation);
    QFETCH(QByteArray, contents);
    QFETCH(int, claim);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("quenlory.lock"));

    std::unique_ptr<platform::InstanceGuard> holder;
    QProcess other;
    auto endOther = qScopeGuard([&] {
        other.kill();
        other.waitForFinished();
    });
    if (situation == QStringLiteral("file") || situation == QStringLiteral("read-only")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        if (situation == QStringLiteral("read-only"))
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    } else if (situation == QStringLiteral("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quenlory.lock")));
    } else if (situation == QStringLiteral("held")) {
        holder = std::make_unique<platform::InstanceGuard>(path);
        QCOMPARE(holder->claim(), platform::InstanceGuard::Claim::Alone);
    } else if (situation == QStringLiteral("released") || situation == QStringLiteral("child")) {
        holder = std::make_unique<platform::InstanceGuard>(path);
        QCOMPARE(holder->claim(), platform::InstanceGuard::Claim::Alone);
        if (situation == QStringLiteral("child")) {
            other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
            QVERIFY(other.waitForStarted());
        }
        holder.reset();
    } else if (situation == QStringLiteral("held elsewhere")) {
        other.start(QStringLiteral("flock"), {QStringLiteral("--nonblock"), path, QStringLiteral("sh"),
                                              QStringLiteral("-c"), QStringLiteral("echo held; exec sleep 60")});
        QVERIFY(other.waitForReadyRead(15000));
    } else if (situation == QStringLiteral("impossible")) {
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        path = plain.fileName() + QStringLiteral("/quenlory.lock");
    }

    platform::InstanceGuard guard(path);
    QCOMPARE(int(guard.claim()), claim);
    // The contents of a file left behind are neither read nor replaced.
    if (situation == QStringLiteral("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }
    // The hold lasts: a later claim elsewhere in the process is refused.
    if (claim == int(platform::InstanceGuard::Claim::Alone)) {
        platform::InstanceGuard later(path);
        QCOMPARE(later.claim(), platform::InstanceGuard::Claim::AnotherRuns);
    }
}

// The Windows guard's reading of CreateMutexW, with Windows' own error codes
// (winerror.h), and its name, one for every spelling of the program's.
void TestQtDesktop::mutexClaim_data()
{
    QTest::addColumn<bool>("gotHandle");
    QTest::addColumn<qulonglong>("error");
    QTest::addColumn<int>("claim");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("mutex");
    using Claim = platform::InstanceGuard::Claim;
    QTest::newRow("made") << true << 0ULL << int(Claim::Alone) << "quenlory" << "Local\\quenlory";
    QTest::newRow("made over a stale error code") << true << 2ULL << int(Claim::Alone) << "Quenlory"
                                                  << "Local\\quenlory";
    QTest::newRow("ERROR_ALREADY_EXISTS") << true << 183ULL << int(Claim::AnotherRuns) << "QUENLORY"
                                          << "Local\\quenlory";
    // A copy started as administrator holds a mutex of higher integrity.
    QTest::newRow("ERROR_ACCESS_DENIED: an elevated copy runs")
        << false << 5ULL << int(Claim::AnotherRuns) << "QuenLory" << "Local\\quenlory";
    QTest::newRow("ERROR_INVALID_HANDLE: the name is another kind of object")
        << false << 6ULL << int(Claim::Unavailable) << "quenlory2" << "Local\\quenlory2";
    QTest::newRow("ERROR_NO_SYSTEM_RESOURCES") << false << 1450ULL << int(Claim::Unavailable) << "Q2"
                                               << "Local\\q2";
}

void TestQtDesktop::mutexClaim()
{
    QFETCH(bool, gotHandle);
    QFETCH(qulonglong, error);
    QFETCH(int, claim);
    QFETCH(QString, program);
    QFETCH(QString, mutex);
    QCOMPARE(int(platform::InstanceGuard::claimFromMutex(gotHandle, static_cast<unsigned long>(error))), claim);
    QCOMPARE(platform::InstanceGuard::mutexName(program), mutex);
}

// What Windows' shell is asked to do with a page: open it, with no
// parameters, from C:\, its window shown normally.
void TestQtDesktop::shellOpen()
{
    const platform::ShellOpen open = platform::shellOpenFor(QStringLiteral("https://a.example/x?page=k&taf1=A%20B"));
    QCOMPARE(open.operation, QByteArray("Open"));
    QCOMPARE(open.file, QByteArray("https://a.example/x?page=k&taf1=A%20B"));
    QCOMPARE(open.directory, QByteArray("C:\\"));
    QCOMPARE(open.show, 1);
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

void TestQtDesktop::questionNeedsAnAnswer_data()
{
    QTest::addColumn<platform::Buttons>("buttons");
    QTest::addColumn<QString>("attempt");

    for (const char *attempt : {"Esc", "close", "close box"}) {
        QTest::addRow("question, %s", attempt) << platform::Buttons::YesNo << QString::fromLatin1(attempt);
        QTest::addRow("message, %s", attempt) << platform::Buttons::Ok << QString::fromLatin1(attempt);
    }
}

void TestQtDesktop::questionNeedsAnAnswer()
{
    QFETCH(platform::Buttons, buttons);
    QFETCH(QString, attempt);

    bool onTop = false;
    bool active = false;
    bool stayed = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        active = QTest::qWaitFor([box] { return box->isActiveWindow(); }, 5000);
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (attempt == QStringLiteral("Esc")) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus && box->isAncestorOf(focus) ? focus : box, Qt::Key_Escape);
        } else if (attempt == QStringLiteral("close")) {
            box->close();
        } else {
            // As the window system's close box does.
            box->windowHandle()->close();
        }
        QCoreApplication::processEvents();
        stayed = box->isVisible();
        if (stayed)
            box->button(buttons == platform::Buttons::YesNo ? QMessageBox::Yes : QMessageBox::Ok)->click();
    });
    const platform::Answer answer =
        platform::QtDesktop().message(QStringLiteral("Application is already running"),
                                      platform::Icon::Information, buttons);

    QVERIFY(onTop);
    QVERIFY(active);
    if (buttons == platform::Buttons::YesNo) {
        QVERIFY2(stayed, "Esc or the close box answered the question");
        QCOMPARE(answer, platform::Answer::Yes);
    } else {
        QVERIFY2(!stayed, "a message with one OK button does not close");
        QCOMPARE(answer, platform::Answer::Ok);
    }
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

// The probe of damagedStore: one write of the reminder entry through the real
// store in the file named, reporting what the store said.
int writeProbe(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    platform::QtDesktop desktop(QString::fromLocal8Bit(argv[2]));
    const bool canWrite = desktop.canWriteSettings();
    const bool written = desktop.writeSetting(QStringLiteral("Settings"), storedKeyName(),
                                              storedForm(QStringLiteral("2026-06-15")));
    std::printf("can write: %d, written: %d\n", int(canWrite), int(written));
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], kWriteProbe) == 0)
        return writeProbe(argc, argv);
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
