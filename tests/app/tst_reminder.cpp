#include "app/SettingCodec.h"
#include "app/UpdateReminder.h"
#include "windowkit/Site.h"

#include "FakeDesktop.h"

#include <QtTest>

namespace {

const QString kQuestion = QStringLiteral("There maybe an update to this software available\n"
                                         "Do you want to check for an update?");

QString storedKey()
{
    return QStringLiteral("Settings/") + app::EncodeSetting(QStringLiteral("Duration"));
}

QString writeEvent(const QDate &date)
{
    return QStringLiteral("write:") + storedKey() + u'='
           + app::EncodeSetting(date.toString(QStringLiteral("yyyy-MM-dd")));
}

} // namespace

class TestReminder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void firstStart_data();
    void firstStart();
    void storedDate_data();
    void storedDate();
    void answer_data();
    void answer();
    void unreadableValue_data();
    void unreadableValue();
    void failedWrite_data();
    void failedWrite();
    void acrossStarts();
    void parseDate_data();
    void parseDate();
};

void TestReminder::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestReminder::firstStart_data()
{
    QTest::addColumn<bool>("hasEntry");
    QTest::addColumn<QString>("rawValue");

    QTest::newRow("no entry") << false << QString();
    QTest::newRow("empty entry") << true << QString();
    QTest::newRow("entry that decodes to nothing") << true << QStringLiteral("2026-06-15");
}

void TestReminder::firstStart()
{
    QFETCH(bool, hasEntry);
    QFETCH(QString, rawValue);
    FakeDesktop desktop;
    if (hasEntry)
        desktop.settings.insert(storedKey(), rawValue);

    app::UpdateReminder(desktop);

    QVERIFY(desktop.messages.empty());
    QVERIFY(desktop.openedUrls.isEmpty());
    QCOMPARE(desktop.events, QStringList{writeEvent(desktop.date)});
    QVERIFY(!desktop.settings.contains(QStringLiteral("Settings/Duration")));
    const QString readBack = app::DecodeSetting(desktop.settings.value(storedKey()));
    QCOMPARE(app::parseReminderDate(readBack, desktop.date), desktop.date);
}

void TestReminder::storedDate_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("asks");

    QTest::newRow("same day") << 0 << false;
    QTest::newRow("yesterday") << -1 << false;
    QTest::newRow("14 days ago") << -14 << false;
    QTest::newRow("15 days ago") << -15 << true;
    QTest::newRow("14 days ahead") << 14 << false;
    QTest::newRow("15 days ahead") << 15 << true;
    QTest::newRow("a year ago") << -365 << true;
    QTest::newRow("across a year end") << -20 << true;
}

void TestReminder::storedDate()
{
    QFETCH(int, offset);
    QFETCH(bool, asks);
    FakeDesktop desktop;
    if (QByteArray(QTest::currentDataTag()) == "across a year end")
        desktop.date = QDate(2027, 1, 5);
    desktop.answer = platform::Answer::No;
    const QString before = app::EncodeSetting(desktop.date.addDays(offset).toString(Qt::ISODate));
    desktop.settings.insert(storedKey(), before);

    app::UpdateReminder(desktop);

    if (asks) {
        QCOMPARE(desktop.messageTexts(), QStringList{kQuestion});
        QCOMPARE(desktop.messages.front().icon, platform::Icon::Information);
        QCOMPARE(desktop.messages.front().buttons, platform::Buttons::YesNo);
        QCOMPARE(desktop.settings.value(storedKey()), app::EncodeSetting(desktop.date.toString(Qt::ISODate)));
    } else {
        QVERIFY(desktop.events.isEmpty());
        QCOMPARE(desktop.settings.value(storedKey()), before);
    }
    QVERIFY(desktop.openedUrls.isEmpty());
}

void TestReminder::answer_data()
{
    QTest::addColumn<platform::Answer>("answer");
    QTest::addColumn<bool>("opensPage");

    QTest::newRow("yes") << platform::Answer::Yes << true;
    QTest::newRow("no") << platform::Answer::No << false;
}

void TestReminder::answer()
{
    QFETCH(platform::Answer, answer);
    QFETCH(bool, opensPage);
    FakeDesktop desktop;
    desktop.answer = answer;
    desktop.settings.insert(storedKey(), app::EncodeSetting(QStringLiteral("2026-05-01")));

    app::UpdateReminder(desktop);

    QStringList expected{QStringLiteral("message:") + kQuestion, writeEvent(desktop.date)};
    if (opensPage) {
        expected << QStringLiteral("open:") + windowkit::pageAddress(QStringLiteral("download-web-page"));
    }
    QCOMPARE(desktop.events, expected);
}

void TestReminder::unreadableValue_data()
{
    QTest::addColumn<QString>("decoded");

    QTest::newRow("words") << QStringLiteral("not a date");
    QTest::newRow("month 13") << QStringLiteral("2026-13-01");
    QTest::newRow("31 February") << QStringLiteral("2026-02-31");
    QTest::newRow("date and time") << QStringLiteral("2026-06-15 10:00");
}

void TestReminder::unreadableValue()
{
    QFETCH(QString, decoded);
    FakeDesktop desktop;
    desktop.answer = platform::Answer::Yes;
    desktop.settings.insert(storedKey(), app::EncodeSetting(decoded));

    // Nothing is rewritten, so the next start meets the same entry.
    for (int start = 0; start < 2; ++start) {
        app::UpdateReminder(desktop);
        QVERIFY2(desktop.events.isEmpty(), qPrintable(desktop.events.join(u'|')));
        QCOMPARE(desktop.settings.value(storedKey()), app::EncodeSetting(decoded));
    }
}

void TestReminder::failedWrite_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QStringList>("events");

    const QString write = writeEvent(QDate(2026, 6, 15));
    const QString question = QStringLiteral("message:There maybe an update to this software available\n"
                                            "Do you want to check for an update?");
    QTest::newRow("first start, store unwritable") << QString() << false << QStringList{write};
    // An answer that could not be stored is not asked for.
    QTest::newRow("question due, store unwritable") << QStringLiteral("2026-01-01") << false << QStringList();
    QTest::newRow("question due, the write fails") << QStringLiteral("2026-01-01") << true
                                                   << QStringList{question, write};
}

void TestReminder::failedWrite()
{
    QFETCH(QString, stored);
    QFETCH(bool, writable);
    QFETCH(QStringList, events);
    FakeDesktop desktop;
    desktop.answer = platform::Answer::Yes;
    desktop.settingsWritable = writable;
    desktop.writeFails = true;
    if (!stored.isEmpty())
        desktop.settings.insert(storedKey(), app::EncodeSetting(stored));

    app::UpdateReminder(desktop);

    // Nothing opens and the entry stays as it was.
    QCOMPARE(desktop.events, events);
    QCOMPARE(desktop.settings.value(storedKey()), app::EncodeSetting(stored));
}

void TestReminder::acrossStarts()
{
    FakeDesktop desktop;
    desktop.answer = platform::Answer::No;
    const QDate first(2026, 3, 1);
    const QList<QPair<int, bool>> starts{{0, false}, {10, false}, {14, false}, {15, true},
                                         {15, false}, {29, false}, {30, true}};
    for (const auto &[day, asks] : starts) {
        desktop.date = first.addDays(day);
        desktop.messages.clear();
        app::UpdateReminder(desktop);
        QVERIFY2(int(desktop.messages.size()) == (asks ? 1 : 0), qPrintable(QString::number(day)));
    }
}

void TestReminder::parseDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("iso") << QStringLiteral("C") << QStringLiteral("2026-06-15") << QDate(2026, 6, 15);
    QTest::newRow("iso under a German locale") << QStringLiteral("de_DE") << QStringLiteral("2026-06-15")
                                               << QDate(2026, 6, 15);
    QTest::newRow("US short date") << QStringLiteral("en_US") << QStringLiteral("6/15/26") << QDate(2026, 6, 15);
    QTest::newRow("German short date") << QStringLiteral("de_DE") << QStringLiteral("15.06.26")
                                       << QDate(2026, 6, 15);
    QTest::newRow("two-digit year of last century") << QStringLiteral("en_US") << QStringLiteral("12/31/99")
                                                    << QDate(1999, 12, 31);
    QTest::newRow("US date under a German locale") << QStringLiteral("de_DE") << QStringLiteral("6/15/26")
                                                   << QDate();
    QTest::newRow("empty") << QStringLiteral("en_US") << QString() << QDate();
    QTest::newRow("words") << QStringLiteral("en_US") << QStringLiteral("yesterday") << QDate();
}

void TestReminder::parseDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(app::parseReminderDate(text, QDate(2026, 6, 20)), expected);
}

QTEST_APPLESS_MAIN(TestReminder)
#include "tst_reminder.moc"
