// The refer-a-friend checks in their order and the referral address, whose
// parameters must come back exactly as typed: for chosen texts, and for
// random ones (any Unicode text, the characters that mean something in an
// address, line breaks and blanks around the values, up to 10,000
// characters per box).

#include "exitscreen/Referral.h"

#include "Build.h"
#include "TestSeed.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using exitscreen::Referral;

namespace {

const QString kGood = QStringLiteral("ann@home.example");
const QString kFriend = QStringLiteral("bob@work.example");

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

// Empty when the address, read back by QUrlQuery as a web server would,
// holds the referral page's key, then exactly the five values and the
// program's own page as taf1 to taf6; otherwise what differs.
QString carriedBack(const QString &address, const QStringList &values)
{
    const QUrl url(address, QUrl::StrictMode);
    const QUrl page(sitePage(QStringLiteral("qrzx-refer-a-friend")));
    if (!url.isValid())
        return url.errorString();
    if (url.scheme() != page.scheme() || url.host() != page.host() || url.path() != page.path()
        || url.hasFragment())
        return QStringLiteral("another page: ") + address;
    if (address.contains(u' ') || address.contains(u'\n') || address.contains(u'\r'))
        return QStringLiteral("a blank or line break left raw");
    // Form decoding, as web servers do it, reads a raw "+" as a blank.
    if (url.query(QUrl::FullyEncoded).contains(u'+'))
        return QStringLiteral("a raw +");
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    QStringList keys;
    for (const auto &item : items)
        keys << item.first;
    if (keys.join(u',') != QLatin1String("page,taf1,taf2,taf3,taf4,taf5,taf6"))
        return QStringLiteral("items ") + keys.join(u',');
    const QStringList expected = QStringList{QStringLiteral("qrzx-refer-a-friend")} + values
        + QStringList{siteBase() + u'/' + siteFolder() + u'/'};
    for (int i = 0; i < 7; ++i) {
        if (items.at(i).second != expected.at(i))
            return keys.at(i) + QStringLiteral(" differs");
    }
    return QString();
}

} // namespace

class TestReferral : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void trimBlanks_data();
    void trimBlanks();
    void trimmedReferralTrimsEveryValue();
    void percentEncoded_data();
    void percentEncoded();
    void addressCarriesExactlyWhatWasTyped_data();
    void addressCarriesExactlyWhatWasTyped();
    void addressKeepsItsFixedParts();
    void randomValuesComeBackExactly_data();
    void randomValuesComeBackExactly();
};

void TestReferral::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("expected");

    const QString distinct = QStringLiteral("Please Enter Distinct Email Addresses");
    const QString proper = QStringLiteral("Please Enter Proper Email Address");
    QTest::newRow("every box at its placeholder")
        << "Your Name" << "Your Email Address" << "Your Message" << "Friend's Name"
        << "Friend's Email Address" << proper;
    QTest::newRow("both e-mails empty") << "Ann" << "" << "Hi" << "Bob" << "" << distinct;
    QTest::newRow("same e-mail twice") << "Ann" << kGood << "Hi" << "Bob" << kGood << distinct;
    QTest::newRow("same e-mail, names missing too")
        << "" << kGood << "" << "" << kGood << distinct;
    QTest::newRow("e-mails differ only in case")
        << "Ann" << kGood << "Hi" << "Bob" << kGood.toUpper() << "";
    QTest::newRow("user e-mail without @")
        << "Ann" << "ann.home.example" << "Hi" << "Bob" << kFriend << proper;
    QTest::newRow("friend e-mail without @")
        << "Ann" << kGood << "Hi" << "Bob" << "bob.work.example" << proper;
    QTest::newRow("user e-mail without dot")
        << "Ann" << "ann@home" << "Hi" << "Bob" << kFriend << proper;
    QTest::newRow("friend e-mail without dot")
        << "Ann" << kGood << "Hi" << "Bob" << "bob@work" << proper;
    QTest::newRow("user e-mail empty, friend's fine")
        << "Ann" << "" << "Hi" << "Bob" << kFriend << proper;
    QTest::newRow("friend e-mail at placeholder")
        << "Ann" << kGood << "Hi" << "Bob" << "Friend's Email Address" << proper;
    QTest::newRow("bad e-mail comes before a missing name")
        << "Your Name" << "ann" << "Your Message" << "Friend's Name" << kFriend << proper;
    QTest::newRow("name at placeholder")
        << "Your Name" << kGood << "Hi" << "Bob" << kFriend << "Please Enter Your Name";
    QTest::newRow("name empty") << "" << kGood << "Hi" << "Bob" << kFriend
                                << "Please Enter Your Name";
    QTest::newRow("name comes before message")
        << "" << kGood << "" << "" << kFriend << "Please Enter Your Name";
    QTest::newRow("placeholder in lower case is a name")
        << "your name" << kGood << "Hi" << "Bob" << kFriend << "";
    QTest::newRow("message at placeholder")
        << "Ann" << kGood << "Your Message" << "Bob" << kFriend << "Please Enter Your Message";
    QTest::newRow("message empty") << "Ann" << kGood << "" << "Bob" << kFriend
                                   << "Please Enter Your Message";
    QTest::newRow("message comes before friend's name")
        << "Ann" << kGood << "" << "" << kFriend << "Please Enter Your Message";
    QTest::newRow("friend's name at placeholder")
        << "Ann" << kGood << "Hi" << "Friend's Name" << kFriend
        << "Please Enter Your Friend's Name";
    QTest::newRow("friend's name empty")
        << "Ann" << kGood << "Hi" << "" << kFriend << "Please Enter Your Friend's Name";
    QTest::newRow("everything filled in") << "Ann" << kGood << "Hi" << "Bob" << kFriend << "";
    QTest::newRow("shortest addresses that pass")
        << "A" << "@." << "M" << "B" << ".@" << "";
}

void TestReferral::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QString, expected);
    QCOMPARE(exitscreen::referralProblem({name, email, message, friendName, friendEmail}), expected);
}

void TestReferral::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only blanks") << "    " << "";
    QTest::newRow("blanks around") << "  Ann Lee  " << "Ann Lee";
    QTest::newRow("inner blanks kept") << "Ann  Lee" << "Ann  Lee";
    QTest::newRow("tab is no blank") << "\tAnn " << "\tAnn";
    QTest::newRow("line break is no blank") << " Hi\n " << "Hi\n";
    QTest::newRow("one letter") << " x " << "x";
}

void TestReferral::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(exitscreen::trimBlanks(text), expected);
}

void TestReferral::trimmedReferralTrimsEveryValue()
{
    const Referral values = exitscreen::trimmedReferral(
        {QStringLiteral(" Ann "), QStringLiteral("  a@b.c"), QStringLiteral("Hi there  "),
         QStringLiteral("   Bob"), QStringLiteral("d@e.f   ")});
    QCOMPARE(values.name, QStringLiteral("Ann"));
    QCOMPARE(values.email, QStringLiteral("a@b.c"));
    QCOMPARE(values.message, QStringLiteral("Hi there"));
    QCOMPARE(values.friendName, QStringLiteral("Bob"));
    QCOMPARE(values.friendEmail, QStringLiteral("d@e.f"));
}

void TestReferral::percentEncoded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unreserved stay") << "AZaz09-._~" << "AZaz09-._~";
    QTest::newRow("blank") << "a b" << "a%20b";
    QTest::newRow("ampersand and equals") << "&taf5=x" << "%26taf5%3Dx";
    QTest::newRow("plus and percent") << "1+1%" << "1%2B1%25";
    QTest::newRow("hash and question mark") << "#?" << "%23%3F";
    QTest::newRow("at and slash") << "a@b/c" << "a%40b%2Fc";
    QTest::newRow("line break") << "a\r\nb" << "a%0D%0Ab";
    QTest::newRow("accented letter as UTF-8") << QStringLiteral("\u00e9") << "%C3%A9";
    QTest::newRow("letter outside the BMP") << QStringLiteral("\U0001F600") << "%F0%9F%98%80";
    QTest::newRow("empty") << "" << "";
}

void TestReferral::percentEncoded()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(exitscreen::percentEncoded(text), expected);
}

void TestReferral::addressCarriesExactlyWhatWasTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");

    QTest::newRow("plain") << "Ann" << kGood << "Hi" << "Bob" << kFriend;
    QTest::newRow("forged parameter in the message")
        << "Ann" << kGood << "see you&taf5=someone@else.example" << "Bob" << kFriend;
    QTest::newRow("equals and ampersand in names")
        << "A=1&B" << kGood << "x" << "&=&" << kFriend;
    QTest::newRow("fragment and query marks")
        << "#top" << "a?b@c.d" << "why? #1" << "?" << "e#f@g.h";
    QTest::newRow("percent and plus")
        << "100%" << "a+b@c.d" << "%41 is not A, 1+1=2" << "%%" << "x%2B@y.z";
    QTest::newRow("blanks and line breaks")
        << "Ann Lee" << kGood << "Dear Bob,\nread this.\r\n\n  Ann" << "Bob  Smith" << kFriend;
    QTest::newRow("non-ASCII letters")
        << QStringLiteral("Zo\u00eb \u00c5ngstr\u00f6m") << QStringLiteral("zo\u00eb@m\u00fcller.example")
        << QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442 \u4f60\u597d \U0001F31F")
        << QStringLiteral("\u00c9lodie") << kFriend;
    QTest::newRow("placeholders sent as such")
        << "Your Name" << kGood << "Your Message" << "Friend's Name" << kFriend;
    QTest::newRow("slashes and colons") << "a/b:c" << kGood << "http://x.example/?q=1" << "b"
                                        << kFriend;
}

void TestReferral::addressCarriesExactlyWhatWasTyped()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);

    const QString address = exitscreen::referralAddress({name, email, message, friendName, friendEmail});
    const QString failure = carriedBack(address, {name, email, message, friendName, friendEmail});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestReferral::addressKeepsItsFixedParts()
{
    const QString address = exitscreen::referralAddress(
        {QStringLiteral("Ann"), kGood, QStringLiteral("Hi"), QStringLiteral("Bob"), kFriend});
    QCOMPARE(address, sitePage(QStringLiteral("qrzx-refer-a-friend"))
                          + QStringLiteral("&taf1=Ann&taf2=ann%40home.example&taf3=Hi&taf4=Bob"
                                           "&taf5=bob%40work.example&taf6=")
                          + siteBase() + u'/' + siteFolder() + u'/');
}

void TestReferral::randomValuesComeBackExactly_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("short texts") << 2000 << 40;
    QTest::newRow("10,000 characters") << 6 << 10000;
}

void TestReferral::randomValuesComeBackExactly()
{
    QFETCH(int, rounds);
    QFETCH(int, maxLength);
    const quint32 seed = testSeed();
    QRandomGenerator random(seed ^ quint32(maxLength));
    for (int round = 0; round < rounds; ++round) {
        const int length = maxLength > 100 ? maxLength : int(random.bounded(maxLength + 1));
        QStringList typed;
        for (int box = 0; box < 5; ++box)
            typed << padded(random, randomText(random, length));
        const QString address = exitscreen::referralAddress(
            exitscreen::trimmedReferral({typed[0], typed[1], typed[2], typed[3], typed[4]}));
        QStringList trimmed;
        for (const QString &value : typed)
            trimmed << blanksTrimmed(value);
        const QString failure = carriedBack(address, trimmed);
        QVERIFY2(failure.isEmpty(), QByteArray("round " + QByteArray::number(round) + ": " + failure.toUtf8()
                                               + seedNote(seed)));
    }
}

QTEST_MAIN(TestReferral)
#include "tst_referral.moc"
