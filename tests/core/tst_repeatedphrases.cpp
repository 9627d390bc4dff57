// Repeated phrasing across the content tables. A five-word run (letter case
// and punctuation ignored) may turn up in at most two pair wordings, not
// counting the openings that some wordings must keep word for word, and no
// two child profiles may share one.

#include "core/ChildProfiles.h"
#include "core/PairTable.h"
#include "core/SunSign.h"

#include "CoreText.h"

#include <QtTest>

#include <map>
#include <set>

namespace {

constexpr qsizetype kRunLength = 5;

// Openings (or whole sentences) that these pairs keep word for word; the
// words inside them are not counted as repeats.
const std::map<QString, QString> &fixedOpenings()
{
    static const std::map<QString, QString> openings = {
        {QStringLiteral("Aries-Aries"), QStringLiteral("You both get along pretty well. Though your tempers may be fierce")},
        {QStringLiteral("Virgo-Virgo"), QStringLiteral("You both make the perfect match")},
        {QStringLiteral("Virgo-Pisces"), QStringLiteral("This is one of the perfect matches")},
        {QStringLiteral("Leo-Leo"), QStringLiteral("Both of you share a loud and fiery relationship")},
        {QStringLiteral("Leo-Capricorn"), QStringLiteral("You do not get along very well")},
        {QStringLiteral("Taurus-Gemini"), QStringLiteral("You both are different but do get along")},
        {QStringLiteral("Cancer-Capricorn"), QStringLiteral("You learn to compromise and get along with each other.")},
    };
    return openings;
}

// Lower-case words; apostrophes vanish ("other's" is "others"), any other
// mark or blank separates words ("make-believe" is two words).
QStringList wordsOf(const QString &passage)
{
    QString letters = passage.toLower();
    letters.remove(u'\'');
    static const QRegularExpression nonLetters(QStringLiteral("[^a-z]+"));
    return letters.split(nonLetters, Qt::SkipEmptyParts);
}

std::set<QString> runsOf(const QString &passage)
{
    const QStringList words = wordsOf(passage);
    std::set<QString> runs;
    for (qsizetype first = 0; first + kRunLength <= words.size(); ++first)
        runs.insert(words.mid(first, kRunLength).join(u' '));
    return runs;
}

// The free part of each pair's wording, keyed by the pair in canonical
// order ("Aries-Taurus", never "Taurus-Aries"). Both orders carry one
// wording, so the first order stands for the pair.
const std::map<QString, std::set<QString>> &pairRuns()
{
    static const std::map<QString, std::set<QString>> runs = [] {
        std::map<QString, std::set<QString>> byPair;
        const auto &rows = core::pairTable();
        for (std::size_t user = 0; user < 12; ++user) {
            for (std::size_t sibling = user; sibling < 12; ++sibling) {
                const core::PairRow &row = rows[12 * user + sibling];
                const QString key = text(row.key);
                QString wording = text(row.sentence);
                const auto fixed = fixedOpenings().find(key);
                if (fixed != fixedOpenings().end() && wording.startsWith(fixed->second))
                    wording.remove(0, fixed->second.size());
                byPair[key] = runsOf(wording);
            }
        }
        return byPair;
    }();
    return runs;
}

const std::map<QString, std::set<QString>> &profileRuns()
{
    static const std::map<QString, std::set<QString>> runs = [] {
        std::map<QString, std::set<QString>> bySign;
        for (std::string_view sign : core::kSunSigns)
            bySign[text(sign)] = runsOf(text(core::ChildProfileFor(sign).value_or("")));
        return bySign;
    }();
    return runs;
}

// Every run of `owner` that also occurs in other entries, with those entries,
// when the run is found in more than `allowed` entries in all.
QStringList overused(const std::map<QString, std::set<QString>> &table, const QString &owner, int allowed)
{
    QStringList found;
    for (const QString &run : table.at(owner)) {
        QStringList others;
        for (const auto &[name, runs] : table) {
            if (name != owner && runs.count(run) != 0)
                others << name;
        }
        if (others.size() + 1 > allowed)
            found << QStringLiteral("\"%1\" also in %2").arg(run, others.join(QStringLiteral(", ")));
    }
    return found;
}

} // namespace

class TestRepeatedPhrases : public QObject
{
    Q_OBJECT

private slots:
    void splittingIntoRuns_data();
    void splittingIntoRuns();
    void pairWordings_data();
    void pairWordings();
    void profiles_data();
    void profiles();
};

// The comparison rests on the word split, so pin it on hand-made passages.
void TestRepeatedPhrases::splittingIntoRuns_data()
{
    QTest::addColumn<QString>("passage");
    QTest::addColumn<QStringList>("runs");

    QTest::newRow("four words make no run") << "You both like games." << QStringList();
    QTest::newRow("case and full stops ignored")
        << "You both. LIKE games, Today" << QStringList{QStringLiteral("you both like games today")};
    QTest::newRow("apostrophe dropped, hyphen splits")
        << "each other's make-believe games" << QStringList{QStringLiteral("each others make believe games")};
    QTest::newRow("overlapping runs")
        << "one two three four five six"
        << QStringList{QStringLiteral("one two three four five"), QStringLiteral("two three four five six")};
    QTest::newRow("quotes and blanks around words")
        << "  \"but why\" is   their question  " << QStringList{QStringLiteral("but why is their question")};
}

void TestRepeatedPhrases::splittingIntoRuns()
{
    QFETCH(QString, passage);
    QFETCH(QStringList, runs);
    const std::set<QString> found = runsOf(passage);
    runs.sort();
    QCOMPARE(QStringList(found.begin(), found.end()), runs);
}

void TestRepeatedPhrases::pairWordings_data()
{
    QTest::addColumn<QString>("pair");
    for (const auto &entry : pairRuns())
        QTest::newRow(qPrintable(entry.first)) << entry.first;
}

void TestRepeatedPhrases::pairWordings()
{
    QFETCH(QString, pair);
    QCOMPARE(pairRuns().size(), std::size_t(78));
    QVERIFY(!pairRuns().at(pair).empty() || pair == QLatin1String("Cancer-Capricorn"));
    const QStringList repeats = overused(pairRuns(), pair, 2);
    QVERIFY2(repeats.isEmpty(), qPrintable(repeats.join(QStringLiteral("; "))));
}

void TestRepeatedPhrases::profiles_data()
{
    QTest::addColumn<QString>("sign");
    for (std::string_view sign : core::kSunSigns)
        QTest::newRow(std::string(sign).c_str()) << text(sign);
}

void TestRepeatedPhrases::profiles()
{
    QFETCH(QString, sign);
    QVERIFY(!profileRuns().at(sign).empty());
    const QStringList repeats = overused(profileRuns(), sign, 1);
    QVERIFY2(repeats.isEmpty(), qPrintable(repeats.join(QStringLiteral("; "))));
}

QTEST_APPLESS_MAIN(TestRepeatedPhrases)
#include "tst_repeatedphrases.moc"
