// The wording of the pair sentences over the whole table: lengths, openings,
// closing full stops, one wording per pair of signs shared by both orders.

#include "core/PairTable.h"
#include "core/SunSign.h"

#include "CoreText.h"

#include <QtTest>

#include <map>
#include <set>

namespace {

QString sentenceOf(const QString &key)
{
    for (const core::PairRow &row : core::pairTable()) {
        if (text(row.key) == key)
            return text(row.sentence);
    }
    return QString();
}

enum class Ending { FullStop, FullStopAndBlank, NoFullStop, Other };

Ending endingOf(const QString &sentence)
{
    if (sentence.endsWith(QStringLiteral(". ")) && !sentence.endsWith(QStringLiteral(".  ")))
        return Ending::FullStopAndBlank;
    if (sentence.endsWith(u'.'))
        return Ending::FullStop;
    if (!sentence.isEmpty() && sentence.back().isLetter())
        return Ending::NoFullStop;
    return Ending::Other;
}

// The wording without whatever closes it: ".", ". " or nothing.
QString wordingOf(QString sentence)
{
    if (sentence.endsWith(u' '))
        sentence.chop(1);
    if (sentence.endsWith(u'.'))
        sentence.chop(1);
    return sentence;
}

QString pairName(std::size_t first, std::size_t second)
{
    return text(core::kSunSigns[first]) + u'-' + text(core::kSunSigns[second]);
}

const QString kShortest = QStringLiteral("You learn to compromise and get along with each other.");

} // namespace

class TestPairTexts : public QObject
{
    Q_OBJECT

private slots:
    void everySentence_data();
    void everySentence();
    void openings_data();
    void openings();
    void longestAndShortest();
    void closingCounts();
    void bothOrdersShareTheWording_data();
    void bothOrdersShareTheWording();
    void eighteenPairsDifferInTheFullStop();
    void oneWordingPerPairOfSigns();
};

void TestPairTexts::everySentence_data()
{
    QTest::addColumn<QString>("sentence");
    for (const core::PairRow &row : core::pairTable())
        QTest::newRow(std::string(row.key).c_str()) << text(row.sentence);
}

void TestPairTexts::everySentence()
{
    QFETCH(QString, sentence);

    QVERIFY2(sentence.size() >= 54 && sentence.size() <= 149, qPrintable(QString::number(sentence.size())));
    QVERIFY(sentence.front().isUpper());
    QVERIFY(!wordingOf(sentence).contains(QStringLiteral("  ")));
    QVERIFY(wordingOf(sentence).back().isLetter());
    QVERIFY(endingOf(sentence) != Ending::Other);

    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z .,'!-]+$"));
    QVERIFY2(allowed.match(sentence).hasMatch(), qPrintable(sentence));
    // Spoken to both siblings.
    static const QRegularExpression secondPerson(QStringLiteral("\\b[Yy]ou\\b"));
    QVERIFY2(secondPerson.match(sentence).hasMatch(), qPrintable(sentence));
    // One or two sentences: a sentence ends at a full stop or an exclamation
    // mark before a blank, and the last one where the wording ends.
    static const QRegularExpression sentenceEnd(QStringLiteral("[.!] "));
    const qsizetype sentences = wordingOf(sentence).count(sentenceEnd) + 1;
    QVERIFY2(sentences <= 2, qPrintable(sentence));
}

void TestPairTexts::openings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("opening");
    QTest::newRow("Aries-Aries") << "Aries-Aries" << "You both get along pretty well. Though your tempers may be fierce";
    QTest::newRow("Virgo-Virgo") << "Virgo-Virgo" << "You both make the perfect match";
    QTest::newRow("Virgo-Pisces") << "Virgo-Pisces" << "This is one of the perfect matches";
    QTest::newRow("Pisces-Virgo") << "Pisces-Virgo" << "This is one of the perfect matches";
    QTest::newRow("Leo-Leo") << "Leo-Leo" << "Both of you share a loud and fiery relationship";
    QTest::newRow("Leo-Capricorn") << "Leo-Capricorn" << "You do not get along very well";
    QTest::newRow("Capricorn-Leo") << "Capricorn-Leo" << "You do not get along very well";
    QTest::newRow("Taurus-Gemini") << "Taurus-Gemini" << "You both are different but do get along";
    QTest::newRow("Gemini-Taurus") << "Gemini-Taurus" << "You both are different but do get along";
    QTest::newRow("Cancer-Capricorn") << "Cancer-Capricorn" << kShortest;
    QTest::newRow("Capricorn-Cancer") << "Capricorn-Cancer" << kShortest;
}

void TestPairTexts::openings()
{
    QFETCH(QString, key);
    QFETCH(QString, opening);
    const QString sentence = sentenceOf(key);
    QVERIFY2(sentence.startsWith(opening), qPrintable(sentence));
    QVERIFY(sentence.size() == opening.size() || !sentence.at(opening.size()).isLetter());
}

void TestPairTexts::longestAndShortest()
{
    QCOMPARE(sentenceOf(QStringLiteral("Cancer-Capricorn")), kShortest);
    QCOMPARE(sentenceOf(QStringLiteral("Capricorn-Cancer")), kShortest);
    QCOMPARE(kShortest.size(), 54);
    QCOMPARE(sentenceOf(QStringLiteral("Aries-Aries")).size(), 149);

    for (const core::PairRow &row : core::pairTable()) {
        const QString key = text(row.key);
        const QString sentence = text(row.sentence);
        if (key != QLatin1String("Aries-Aries"))
            QVERIFY2(sentence.size() < 149, qPrintable(key));
        if (key != QLatin1String("Cancer-Capricorn") && key != QLatin1String("Capricorn-Cancer"))
            QVERIFY2(sentence.size() > 54, qPrintable(key));
    }
}

void TestPairTexts::closingCounts()
{
    std::map<Ending, int> counts;
    for (const core::PairRow &row : core::pairTable())
        ++counts[endingOf(text(row.sentence))];
    QCOMPARE(counts[Ending::Other], 0);
    QCOMPARE(counts[Ending::NoFullStop], 22);
    QCOMPARE(counts[Ending::FullStopAndBlank], 6);
    QCOMPARE(counts[Ending::FullStop], 116);
}

void TestPairTexts::bothOrdersShareTheWording_data()
{
    QTest::addColumn<QString>("forward");
    QTest::addColumn<QString>("backward");
    for (std::size_t first = 0; first < 12; ++first) {
        for (std::size_t second = first + 1; second < 12; ++second) {
            QTest::newRow(qPrintable(pairName(first, second)))
                << sentenceOf(pairName(first, second)) << sentenceOf(pairName(second, first));
        }
    }
}

void TestPairTexts::bothOrdersShareTheWording()
{
    QFETCH(QString, forward);
    QFETCH(QString, backward);
    QVERIFY(!forward.isEmpty());
    const bool same = forward == backward;
    const bool onlyTheFullStop = forward == backward + u'.' || backward == forward + u'.';
    QVERIFY2(same || onlyTheFullStop, qPrintable(forward + QStringLiteral(" | ") + backward));
}

void TestPairTexts::eighteenPairsDifferInTheFullStop()
{
    int differing = 0;
    for (std::size_t first = 0; first < 12; ++first) {
        for (std::size_t second = first + 1; second < 12; ++second) {
            const QString forward = sentenceOf(pairName(first, second));
            const QString backward = sentenceOf(pairName(second, first));
            if (forward == backward)
                continue;
            ++differing;
            const std::set<Ending> endings = {endingOf(forward), endingOf(backward)};
            QVERIFY((endings == std::set<Ending>{Ending::FullStop, Ending::NoFullStop}));
        }
    }
    QCOMPARE(differing, 18);
}

void TestPairTexts::oneWordingPerPairOfSigns()
{
    // Wording -> the unordered pairs using it, written smaller sign first.
    std::map<QString, std::set<QString>> owners;
    for (std::size_t user = 0; user < 12; ++user) {
        for (std::size_t sibling = 0; sibling < 12; ++sibling) {
            const QString wording = wordingOf(sentenceOf(pairName(user, sibling)));
            owners[wording].insert(pairName(std::min(user, sibling), std::max(user, sibling)));
        }
    }
    QCOMPARE(owners.size(), std::size_t(78));
    for (const auto &[wording, pairs] : owners)
        QVERIFY2(pairs.size() == 1, qPrintable(wording));
}

QTEST_APPLESS_MAIN(TestPairTexts)
#include "tst_pairtexts.moc"
