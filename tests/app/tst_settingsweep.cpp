// The character shift and the update reminder on random and outsized input:
// random texts of any character through the shift, and stored values of
// random characters, odd keys, a megabyte and the far ends of the calendar
// through the reminder. The draws come from a printed seed.

#include "app/SettingCodec.h"
#include "app/UpdateReminder.h"

#include "FakeDesktop.h"
#include "TestSeed.h"

#include <QtTest>

namespace {

const QString kQuestion = QStringLiteral("There maybe an update to this software available\n"
                                         "Do you want to check for an update?");

const QString kSection = QStringLiteral("Settings");

QString storedKey()
{
    return kSection + u'/' + app::EncodeSetting(QStringLiteral("Duration"));
}

// Any UTF-16 code unit, lone surrogates included, with Latin-1 and the
// codes around the shift's limits drawn more often.
QString randomText(QRandomGenerator &random, int maxLength)
{
    const int length = int(random.bounded(maxLength + 1));
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(4)) {
        case 0:
            text.append(QChar(char16_t(random.bounded(0x100))));
            break;
        case 1:
            text.append(QChar(char16_t(80 + random.bounded(100))));
            break;
        case 2:
            text.append(QChar(char16_t(random.bounded(0x10000))));
            break;
        default:
            text.append(QChar(char16_t(0x100 + random.bounded(0x700))));
            break;
        }
    }
    return text;
}

QString keptCodes(const QString &text, int low, int high)
{
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() >= low && c.unicode() <= high)
            kept.append(c);
    }
    return kept;
}

QByteArray shown(const QString &text)
{
    QByteArray codes;
    for (const QChar c : text)
        codes += QByteArray::number(c.unicode(), 16) + ' ';
    return '[' + codes.trimmed() + ']';
}

} // namespace

class TestSettingSweep : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void shiftOnRandomTexts();
    void reminderOnRandomStoredValues();
    void reminderOnOddEntries_data();
    void reminderOnOddEntries();
};

void TestSettingSweep::initTestCase()
{
    qInfo("seed %u", testSeed());
}

void TestSettingSweep::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestSettingSweep::shiftOnRandomTexts()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    for (int round = 0; round < 20000; ++round) {
        const QString text = randomText(random, 40);
        const QString encoded = app::EncodeSetting(text);
        const QString decoded = app::DecodeSetting(text);
        const QByteArray why = "text " + shown(text) + seedNote(seed);
        // Codes 0 to 170 survive the way there and back; the rest are dropped.
        QVERIFY2(app::DecodeSetting(encoded) == keptCodes(text, 0, 170), why);
        QVERIFY2(app::EncodeSetting(decoded) == keptCodes(text, 85, 255), why);
        QVERIFY2(encoded.size() == keptCodes(text, 0, 170).size(), why);
        QVERIFY2(keptCodes(encoded, 85, 255) == encoded, why);
        QVERIFY2(keptCodes(decoded, 0, 170) == decoded, why);
    }
}

// Whatever the store holds, the reminder asks at most once, writes at most
// today's date, and stays silent on a value that cannot be a date.
void TestSettingSweep::reminderOnRandomStoredValues()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed ^ 0x5eedu);
    int firstStarts = 0;
    int silent = 0;
    for (int round = 0; round < 3000; ++round) {
        FakeDesktop desktop;
        const QString raw = randomText(random, 30);
        desktop.settings.insert(storedKey(), raw);
        app::UpdateReminder(desktop);

        const QByteArray why = "stored " + shown(raw) + seedNote(seed);
        const QString decoded = keptCodes(raw, 85, 255);
        const QString todayWritten = QStringLiteral("write:") + storedKey() + u'='
            + app::EncodeSetting(app::reminderDateText(desktop.date));
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

void TestSettingSweep::reminderOnOddEntries_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("writes");

    const QDate today(2026, 6, 15);
    const QString duration = app::EncodeSetting(QStringLiteral("Duration"));
    const auto date = [](const QDate &d) { return app::EncodeSetting(app::reminderDateText(d)); };

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

void TestSettingSweep::reminderOnOddEntries()
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
        desktop.settings.insert(kSection + u'/' + key, value);
        app::UpdateReminder(desktop);

        const QByteArray where = "under the locale " + locale.toLatin1();
        QVERIFY2(desktop.messageTexts() == (asks ? QStringList{kQuestion} : QStringList()), where);
        const QString written = app::EncodeSetting(app::reminderDateText(today));
        const bool wrote = desktop.events.contains(QStringLiteral("write:") + storedKey() + u'=' + written);
        QVERIFY2(wrote == writes, where);
        QVERIFY2(desktop.openedUrls.size() == (asks ? 1 : 0), where);
        if (writes) {
            QVERIFY2(app::parseReminderDate(app::DecodeSetting(desktop.settings.value(storedKey())), today)
                         == today,
                     where);
        }
    }
}

QTEST_MAIN(TestSettingSweep)
#include "tst_settingsweep.moc"
