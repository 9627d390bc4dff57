// The child profile table: lookup by exact sign name, and the shape of the
// twelve paragraphs (length, opening words, endings, characters, voice).

#include "core/ChildProfiles.h"
#include "core/SunSign.h"

#include "CoreText.h"

#include <QtTest>

#include <set>

namespace {

QString profileOf(const QString &sign)
{
    const std::optional<std::string_view> found = core::ChildProfileFor(sign.toStdString());
    return found ? text(*found) : QString();
}

bool speaksToTheReader(const QString &paragraph)
{
    static const QRegularExpression secondPerson(QStringLiteral("\\b(you|your|yours|yourself)\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    return secondPerson.match(paragraph).hasMatch();
}

} // namespace

class TestChildProfiles : public QObject
{
    Q_OBJECT

private slots:
    void paragraphs_data();
    void paragraphs();
    void onlyExactNamesFindAParagraph_data();
    void onlyExactNamesFindAParagraph();
    void paragraphsArePairwiseDifferent();
    void scorpioQuotesOnePhrase();
    void cancerSpeaksToTheReader();
};

void TestChildProfiles::paragraphs_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("ending");   // the last characters, blanks included
    QTest::addColumn<bool>("secondPerson");

    QTest::newRow("Aries") << "Aries" << "The Aries child is a natural lover of the outdoors" << 746 << "s." << false;
    QTest::newRow("Taurus") << "Taurus" << "Taurus being ruled by the earth sign means that" << 561 << "e." << false;
    QTest::newRow("Gemini") << "Gemini" << "A Gemini child is highly talkative, sort of a motormouth" << 591 << "o. " << false;
    QTest::newRow("Cancer") << "Cancer" << "You are very attached to your home and prefer" << 441 << "e." << true;
    QTest::newRow("Leo") << "Leo" << "Leo children are more careless than the average teenager." << 665 << "s." << false;
    QTest::newRow("Virgo") << "Virgo" << "Virgo children typically take a long time to open up" << 869 << "s. " << false;
    QTest::newRow("Libra") << "Libra" << "Physically speaking, Libra children are usually very cute babies" << 853 << "m. " << false;
    QTest::newRow("Scorpio") << "Scorpio" << "Governed by their water sign, the Scorpio child is" << 889 << "e." << false;
    QTest::newRow("Sagittarius") << "Sagittarius" << "From a tender age, Sagittarian children are fun loving" << 631 << "y." << false;
    QTest::newRow("Capricorn") << "Capricorn" << "A Capricorn child is told to be born wise" << 689 << "e.   " << false;
    QTest::newRow("Aquarius") << "Aquarius" << "An Aquarian child is very articulate and knows the art" << 484 << "e!" << false;
    QTest::newRow("Pisces") << "Pisces" << "Pisces children are daydreamers." << 544 << "h." << false;
}

void TestChildProfiles::paragraphs()
{
    QFETCH(QString, sign);
    QFETCH(QString, opening);
    QFETCH(int, length);
    QFETCH(QString, ending);
    QFETCH(bool, secondPerson);

    const QString paragraph = profileOf(sign);
    QCOMPARE(paragraph.size(), length);
    QVERIFY2(paragraph.startsWith(opening), qPrintable(paragraph.left(80)));
    QVERIFY(!paragraph.at(opening.size()).isLetter());
    QVERIFY2(paragraph.endsWith(ending), qPrintable(paragraph.right(10)));
    // Exactly as many trailing blanks as the ending shows, no more.
    QVERIFY(!paragraph.endsWith(u' ' + ending));
    QCOMPARE(speaksToTheReader(paragraph), secondPerson);

    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z .,'!/\"-]+$"));
    QVERIFY2(allowed.match(paragraph).hasMatch(), "a character outside letters, blanks and . , ' ! - / \"");
    QVERIFY(!paragraph.trimmed().contains(QStringLiteral("  ")));
    QVERIFY(!paragraph.startsWith(u' '));
}

void TestChildProfiles::onlyExactNamesFindAParagraph_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    for (std::string_view sign : core::kSunSigns)
        QTest::newRow(std::string(sign).c_str()) << text(sign) << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("small letters") << "leo" << false;
    QTest::newRow("capitals") << "LEO" << false;
    QTest::newRow("trailing blank") << "Leo " << false;
    QTest::newRow("leading blank") << " Leo" << false;
    QTest::newRow("pair key") << "Leo-Leo" << false;
    QTest::newRow("short form") << "Sag" << false;
    QTest::newRow("not a sign") << "Ophiuchus" << false;
}

void TestChildProfiles::onlyExactNamesFindAParagraph()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    QCOMPARE(core::ChildProfileFor(name.toStdString()).has_value(), found);
}

void TestChildProfiles::paragraphsArePairwiseDifferent()
{
    std::set<QString> seen;
    for (std::string_view sign : core::kSunSigns) {
        const QString paragraph = profileOf(text(sign));
        QVERIFY(!paragraph.isEmpty());
        // Each paragraph is about its own sign, so a shifted table shows.
        if (sign != "Cancer")
            QVERIFY2(paragraph.contains(text(sign).left(6)), std::string(sign).c_str());
        QVERIFY2(seen.insert(paragraph).second, std::string(sign).c_str());
    }
    QCOMPARE(seen.size(), std::size_t(12));
}

void TestChildProfiles::scorpioQuotesOnePhrase()
{
    for (std::string_view sign : core::kSunSigns) {
        const QString paragraph = profileOf(text(sign));
        const qsizetype quotes = paragraph.count(u'"');
        if (sign == "Scorpio") {
            QCOMPARE(quotes, 2);
            const qsizetype open = paragraph.indexOf(u'"');
            const qsizetype close = paragraph.indexOf(u'"', open + 1);
            QVERIFY(close > open + 1);
            QVERIFY(!paragraph.mid(open + 1, close - open - 1).trimmed().isEmpty());
        } else {
            QVERIFY2(quotes == 0, std::string(sign).c_str());
        }
    }
}

void TestChildProfiles::cancerSpeaksToTheReader()
{
    const QString cancer = profileOf(QStringLiteral("Cancer"));
    QVERIFY(cancer.contains(QStringLiteral("your parents and siblings")));
    QVERIFY(!cancer.contains(QStringLiteral("Cancer")));
}

QTEST_APPLESS_MAIN(TestChildProfiles)
#include "tst_childprofiles.moc"
