// The referral page's address on random input: any Unicode text, the
// characters that mean something in an address ("&", "=", "#", "%", "+", "?",
// "/"), line breaks and blanks around the values, up to 10,000 characters
// per box. Read back by QUrlQuery, the address must hold exactly the five
// trimmed values and the program's own page, in that order.

#include "exitscreen/Referral.h"
#include "windowkit/Site.h"

#include "TestSeed.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QString kAwkward = QStringLiteral("&=#%+?/;: \r\n\t'\"<>[]\\");

// QUrl reads the UTF-8 of a noncharacter (U+FDD0 to U+FDEF, U+FFFE and
// U+FFFF in every plane) as malformed and gives U+FFFD instead, so no
// address could carry one back through it.
bool isNoncharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// Valid Unicode only: astral characters are written as surrogate pairs.
QString randomText(QRandomGenerator &random, int length)
{
    QString text;
    text.reserve(length * 2);
    while (text.size() < length) {
        switch (random.bounded(5)) {
        case 0:
            text.append(kAwkward.at(random.bounded(kAwkward.size())));
            break;
        case 1:
            text.append(QChar(char16_t(32 + random.bounded(95))));
            break;
        case 2:
            text.append(QChar(char16_t(0x80 + random.bounded(0xD800 - 0x80))));
            break;
        case 3: {
            const char32_t astral = char32_t(0x10000 + random.bounded(0x100000));
            if (!isNoncharacter(astral))
                text.append(QString::fromUcs4(&astral, 1));
            break;
        }
        default: {
            const char16_t c = char16_t(0xE000 + random.bounded(0xFFFE - 0xE000));
            if (!isNoncharacter(c))
                text.append(QChar(c));
            break;
        }
        }
    }
    return text;
}

QString padded(QRandomGenerator &random, const QString &text)
{
    return QString(random.bounded(3), u' ') + text + QString(random.bounded(3), u' ');
}

// Only blanks (code 32) are trimmed: tabs, line breaks and other spaces stay.
QString blanksTrimmed(QString text)
{
    static const QRegularExpression outerBlanks(QStringLiteral("\\A +| +\\z"));
    return text.remove(outerBlanks);
}

} // namespace

class TestReferralSweep : public QObject
{
    Q_OBJECT

private slots:
    void randomValuesComeBackExactly_data();
    void randomValuesComeBackExactly();
};

void TestReferralSweep::randomValuesComeBackExactly_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("short texts") << 2000 << 40;
    QTest::newRow("10,000 characters") << 6 << 10000;
}

void TestReferralSweep::randomValuesComeBackExactly()
{
    QFETCH(int, rounds);
    QFETCH(int, maxLength);
    const quint32 seed = testSeed();
    QRandomGenerator random(seed ^ quint32(maxLength));
    const QString ownPage = windowkit::programPageAddress();
    const QUrl pageUrl(windowkit::pageAddress(windowkit::kReferralPage));

    for (int round = 0; round < rounds; ++round) {
        const int length = maxLength > 100 ? maxLength : int(random.bounded(maxLength + 1));
        const exitscreen::Referral typed{padded(random, randomText(random, length)),
                                  padded(random, randomText(random, length)),
                                  padded(random, randomText(random, length)),
                                  padded(random, randomText(random, length)),
                                  padded(random, randomText(random, length))};
        const QString address = exitscreen::referralAddress(exitscreen::trimmedReferral(typed));
        const QByteArray why = "round " + QByteArray::number(round) + seedNote(seed);

        const QUrl url(address, QUrl::StrictMode);
        QVERIFY2(url.isValid(), QByteArray(why + ": " + url.errorString().toUtf8()));
        QVERIFY2(url.scheme() == pageUrl.scheme() && url.host() == pageUrl.host()
                     && url.path() == pageUrl.path() && !url.hasFragment(),
                 why);
        QVERIFY2(!address.contains(u' ') && !address.contains(u'\n') && !address.contains(u'\r'), why);
        // Form decoding, as web servers do it, reads a raw "+" as a blank.
        QVERIFY2(!url.query(QUrl::FullyEncoded).contains(u'+'), why);

        const QList<QPair<QString, QString>> items =
            QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        const QStringList expected = {blanksTrimmed(typed.name), blanksTrimmed(typed.email),
                                      blanksTrimmed(typed.message), blanksTrimmed(typed.friendName),
                                      blanksTrimmed(typed.friendEmail), ownPage};
        QVERIFY2(items.size() == 7, QByteArray(why + ": " + QByteArray::number(items.size()) + " items"));
        QVERIFY2(items.at(0).first == QStringLiteral("page")
                     && items.at(0).second == windowkit::kReferralPage,
                 why);
        for (int i = 0; i < 6; ++i) {
            const QString key = QStringLiteral("taf") + QString::number(i + 1);
            QVERIFY2(items.at(i + 1).first == key, QByteArray(why + ": " + key.toUtf8()));
            QVERIFY2(items.at(i + 1).second == expected.at(i),
                     QByteArray(why + ": " + key.toUtf8() + " differs"));
        }
    }
}

QTEST_MAIN(TestReferralSweep)
#include "tst_referralsweep.moc"
