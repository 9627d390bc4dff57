// The update reminder: when it asks, what it stores, how it reads back a
// date, and what it does with stored values of random characters, odd
// keys, a megabyte and the far ends of the calendar.

#include "app/SettingCodec.h"
#include "app/UpdateReminder.h"

#include "Build.h"
#include "FakeDesktop.h"
#include "StoredForm.h"
#include "TestSeed.h"

#include <QtTest>

namespace {

const QString kQuestion = QStringLiteral("There maybe an update to this software available\n"
                                         "Do you want to check for an update?");

QString writeEvent(const QDate &date)
{
    return QStringLiteral("write:") + storedEntryKey() + u'='
           + storedForm(date.toString(QStringLiteral("yyyy-MM-dd")));
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
    void onRandomStoredValues();
    void onOddEntries_data();
    void onOddEntries();
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
        desktop.settings.insert(storedEntryKey(), rawValue);

    app::UpdateReminder(desktop);

    QVERIFY(desktop.messages.empty());
    QVERIFY(desktop.openedUrls.isEmpty());
    QCOMPARE(desktop.events, QStringList{writeEvent(desktop.date)});
    QVERIFY(!desktop.settings.contains(QStringLiteral("Settings/Duration")));
    const QString readBack = app::DecodeSetting(desktop.settings.value(storedEntryKey()));
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
    const QString before = storedForm(desktop.date.addDays(offset).toString(Qt::ISODate));
    desktop.settings.insert(storedEntryKey(), before);

    app::UpdateReminder(desktop);

    if (asks) {
        QCOMPARE(desktop.messageTexts(), QStringList{kQuestion});
        QCOMPARE(desktop.messages.front().icon, platform::Icon::Information);
        QCOMPARE(desktop.messages.front().buttons, platform::Buttons::YesNo);
        QCOMPARE(desktop.settings.value(storedEntryKey()), storedForm(desktop.date.toString(Qt::ISODate)));
    } else {
        QVERIFY(desktop.events.isEmpty());
        QCOMPARE(desktop.settings.value(storedEntryKey()), before);
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
    desktop.settings.insert(storedEntryKey(), storedForm(QStringLiteral("2026-05-01")));

    app::UpdateReminder(desktop);

    QStringList expected{QStringLiteral("message:") + kQuestion, writeEvent(desktop.date)};
    if (opensPage) {
        expected << QStringLiteral("open:") + sitePage(QStringLiteral("download-web-page"));
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
    desktop.settings.insert(storedEntryKey(), storedForm(decoded));

    // Nothing is rewritten, so the next start meets the same entry.
    for (int start = 0; start < 2; ++start) {
        app::UpdateReminder(desktop);
        QVERIFY2(desktop.events.isEmpty(), qPrintable(desktop.events.join(u'|')));
        QCOMPARE(desktop.settings.value(storedEntryKey()), storedForm(decoded));
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
        desktop.settings.insert(storedEntryKey(), storedForm(stored));

    app::UpdateReminder(desktop);

    // Nothing opens and the entry stays as it was.
    QCOMPARE(desktop.events, events);
    QCOMPARE(desktop.settings.value(storedEntryKey()), storedForm(stored));
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
    // The century is settled before the date is checked: 1900 had no 29 February.
    QTest::newRow("29 February 2000") << QStringLiteral("en_US") << QStringLiteral("2/29/00") << QDate(2000, 2, 29);
    QTest::newRow("29 February 2004") << QStringLiteral("en_US") << QStringLiteral("2/29/04") << QDate(2004, 2, 29);
    QTest::newRow("1 January 2000") << QStringLiteral("en_US") << QStringLiteral("1/1/00") << QDate(2000, 1, 1);
    QTest::newRow("29 February of a common year") << QStringLiteral("en_US") << QStringLiteral("2/29/01")
                                                  << QDate();
    QTest::newRow("German 29 February 2000") << QStringLiteral("de_DE") << QStringLiteral("29.02.00")
                                             << QDate(2000, 2, 29);
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

// Whatever the store holds, the reminder asks at most once, writes at most
// today's date, and stays silent on a value that cannot be a date.
void TestReminder::onRandomStoredValues()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed ^ 0x5eedu);
    int firstStarts = 0;
    int silent = 0;
    for (int round = 0; round < 3000; ++round) {
        FakeDesktop desktop;
        const QString raw = randomCodeUnits(random, 30);
        desktop.settings.insert(storedEntryKey(), raw);
        app::UpdateReminder(desktop);

        const QByteArray why = "stored " + raw.toUtf8().toHex(' ') + seedNote(seed);
        const QString decoded = keptCodes(raw, 85, 255);
        const QString todayWritten = QStringLiteral("write:") + storedEntryKey() + u'='
            + storedForm(app::reminderDateText(desktop.date));
        QVERIFY2(desktop.messages.size() <= 1, why);
        QVERIFY2(desktop.messages.empty() || desktop.messages.front().text == kQuestion, why);
        QVERIFY2(desktop.events.size() <= 2, why);
        QVERIFY2(desktop.openedUrls.isEmpty(), why);   // the fake answers Ok, not Yes
        for (const QString &event : std::as_const(desktop.events)) {
            if (event.startsWith(QStringLiteral("write:")))
                QVERIFY2(event == todayWritten, why);
        }
        if (decoded.isEmpty()) {
            ++firstStarts;
            QVERIFY2(desktop.events == QStringList{todayWritten}, why);
        } else if (keptCodes(raw, 85 + '0', 85 + '9').isEmpty()) {
            // A date has digits; a value that decodes to none is unreadable.
            ++silent;
            QVERIFY2(desktop.events.isEmpty(), why);
        }
    }
    // The draws must reach both stated outcomes, or the sweep proves little.
    QVERIFY2(firstStarts > 10 && silent > 100,
             QByteArray("first starts " + QByteArray::number(firstStarts) + ", silent "
                        + QByteArray::number(silent) + seedNote(seed)));
}

void TestReminder::onOddEntries_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("writes");

    const QDate today(2026, 6, 15);
    const QString duration = storedKeyName();
    const auto date = [](const QDate &d) { return storedForm(app::reminderDateText(d)); };

    QTest::newRow("date under the empty key only") << QString() << date(QDate(2000, 1, 1)) << today
                                                   << false << true;
    QTest::newRow("date under the plain key name only") << QStringLiteral("Duration")
                                                        << date(QDate(2000, 1, 1)) << today << false << true;
    QTest::newRow("a megabyte that decodes to nothing")
        << duration << QString(1 << 20, QChar(u' ')) << today << false << true;
    QTest::newRow("a megabyte of digits") << duration << QString(1 << 20, QChar(u'0' + 85)) << today
                                          << false << false;
    QTest::newRow("a date followed by a megabyte")
        << duration << date(QDate(2000, 1, 1)) + QString(1 << 20, QChar(u'x' + 85)) << today << false
        << false;
    QTest::newRow("stored in the year 1") << duration << date(QDate(1, 1, 1)) << today << true << true;
    QTest::newRow("stored in the year 9999") << duration << date(QDate(9999, 12, 31)) << today << true
                                             << true;
    QTest::newRow("today in the year 1, first start") << duration << QString() << QDate(1, 1, 1) << false
                                                      << true;
    QTest::newRow("today in the year 9999, first start") << duration << QString() << QDate(9999, 12, 31)
                                                         << false << true;
    QTest::newRow("today in the year 1, stored in 9999") << duration << date(QDate(9999, 12, 31))
                                                         << QDate(1, 1, 1) << true << true;
    QTest::newRow("today in the year 9999, stored in 1") << duration << date(QDate(1, 1, 1))
                                                         << QDate(9999, 12, 31) << true << true;
    QTest::newRow("today and stored in the year 9999") << duration << date(QDate(9999, 12, 20))
                                                       << QDate(9999, 12, 31) << false << false;
    QTest::newRow("today and stored in the year 1") << duration << date(QDate(1, 1, 1))
                                                    << QDate(1, 1, 10) << false << false;
}

void TestReminder::onOddEntries()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QDate, today);
    QFETCH(bool, asks);
    QFETCH(bool, writes);

    const QStringList locales = {QStringLiteral("C"), QStringLiteral("en_US"), QStringLiteral("de_DE")};
    for (const QString &locale : locales) {
        QLocale::setDefault(QLocale(locale));
        FakeDesktop desktop;
        desktop.date = today;
        desktop.answer = platform::Answer::Yes;
        desktop.settings.insert(QStringLiteral("Settings/") + key, value);
        app::UpdateReminder(desktop);

        const QByteArray where = "under the locale " + locale.toLatin1();
        QVERIFY2(desktop.messageTexts() == (asks ? QStringList{kQuestion} : QStringList()), where);
        const QString written = storedForm(app::reminderDateText(today));
        const bool wrote = desktop.events.contains(QStringLiteral("write:") + storedEntryKey() + u'=' + written);
        QVERIFY2(wrote == writes, where);
        QVERIFY2(desktop.openedUrls.size() == (asks ? 1 : 0), where);
        if (writes) {
            QVERIFY2(app::parseReminderDate(app::DecodeSetting(desktop.settings.value(storedEntryKey())), today)
                         == today,
                     where);
        }
    }
}

QTEST_APPLESS_MAIN(TestReminder)
#include "tst_reminder.moc"
