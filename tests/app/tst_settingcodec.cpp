// The character shift that hides the reminder's entry in the settings
// store: chosen texts, and random texts of any code unit.

#include "app/SettingCodec.h"

#include "StoredForm.h"
#include "TestSeed.h"

#include <QtTest>

namespace {

QByteArray shown(const QString &text)
{
    QByteArray codes;
    for (const QChar c : text)
        codes += QByteArray::number(c.unicode(), 16) + ' ';
    return '[' + codes.trimmed() + ']';
}

} // namespace

class TestSettingCodec : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void roundTrip_data();
    void roundTrip();
    void shiftOnRandomTexts();
};

void TestSettingCodec::encode_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("A moves to 150") << QStringLiteral("A") << QString(QChar(150));
    // What users' stores hold already.
    QTest::newRow("key name") << QStringLiteral("Duration") << storedKeyName();
    QTest::newRow("ISO date") << QStringLiteral("2026-06-15") << storedForm(QStringLiteral("2026-06-15"));
    QTest::newRow("short dates") << QStringLiteral("6/15/26 15.06.26") << storedForm(QStringLiteral("6/15/26 15.06.26"));
    QTest::newRow("170 is the last code kept") << QString(QChar(170)) << QString(QChar(255));
    QTest::newRow("171 vanishes") << QString(QChar(171)) << QString();
    QTest::newRow("255 vanishes") << QString(QChar(255)) << QString();
    QTest::newRow("vanishing inside a text") << QString(QStringLiteral("1") + QChar(200) + QStringLiteral("2"))
                                            << QString(QChar(49 + 85)) + QChar(50 + 85);
    QTest::newRow("control code 0 moves to 85") << QString(QChar(0)) << QStringLiteral("U");
    QTest::newRow("no single-byte code vanishes")
        << QString::fromUtf16(u"a\u20ACb\u4E2Dc") << QString::fromUtf16(u"\u00B6\u00B7\u00B8");
    QTest::newRow("surrogate pair vanishes") << QString::fromUtf16(u"x\U0001F600y")
                                             << QString::fromUtf16(u"\u00CD\u00CE");
}

void TestSettingCodec::encode()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(app::EncodeSetting(input), expected);
}

void TestSettingCodec::decode_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("150 moves back to A") << QString(QChar(150)) << QStringLiteral("A");
    QTest::newRow("85 is the last code kept") << QStringLiteral("U") << QString(QChar(0));
    QTest::newRow("84 vanishes") << QStringLiteral("T") << QString();
    QTest::newRow("plain digits vanish") << QStringLiteral("2026-06-15") << QString();
    QTest::newRow("vanishing inside a text") << QString(QChar(150) + QStringLiteral("0") + QChar(151))
                                            << QStringLiteral("AB");
    QTest::newRow("no single-byte code vanishes") << QString::fromUtf16(u"\u00B6\u20AC") << QStringLiteral("a");
}

void TestSettingCodec::decode()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(app::DecodeSetting(input), expected);
}

void TestSettingCodec::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("key name") << QStringLiteral("Duration");
    QTest::newRow("iso date") << QStringLiteral("2026-06-15");
    QTest::newRow("slashes") << QStringLiteral("6/15/2026");
    QTest::newRow("dots") << QStringLiteral("15.06.26");
    QTest::newRow("all digits and letters")
        << QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("blank and separators") << QStringLiteral("15 Jun 2026, 06:00");
    QTest::newRow("Latin-1 up to 170") << QString::fromUtf16(u"\u00A0\u00A7\u00AA");
}

void TestSettingCodec::roundTrip()
{
    QFETCH(QString, text);
    const QString encoded = app::EncodeSetting(text);
    QCOMPARE(encoded.size(), text.size());
    QVERIFY(encoded != text);
    QCOMPARE(app::DecodeSetting(encoded), text);
}

void TestSettingCodec::shiftOnRandomTexts()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    for (int round = 0; round < 20000; ++round) {
        const QString text = randomCodeUnits(random, 40);
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

QTEST_APPLESS_MAIN(TestSettingCodec)
#include "tst_settingcodec.moc"
