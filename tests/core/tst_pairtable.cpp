// The pair lookup and the levels of the sibling pair table. The grid and the
// sign names are typed in here on their own, so a slip in the table or in
// the canonical order of the core shows up as a difference.

#include "core/PairTable.h"
#include "core/SunSign.h"

#include "CoreText.h"

#include <QtTest>

#include <map>

namespace {

const char *const kSigns[12] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// User sign down, sibling sign across, both in the order above.
const char *const kGrid[12] = {
    "323131223131",  // Aries
    "231313221313",  // Taurus
    "313131312131",  // Gemini
    "131323131313",  // Cancer
    "313222313121",  // Leo
    "131323231313",  // Virgo
    "223132323131",  // Libra
    "221313231313",  // Scorpio
    "312131313131",  // Sagittarius
    "131213131223",  // Capricorn
    "313121313232",  // Aquarius
    "131313131323",  // Pisces
};

const QString kLevel1 = QStringLiteral("You Both Do Not Get Along At all");
const QString kLevel2 = QStringLiteral("You Get Along OK");
const QString kLevel3 = QStringLiteral("You Both Get Along Very Well");

QString summaryFor(char digit)
{
    return digit == '1' ? kLevel1 : digit == '2' ? kLevel2 : kLevel3;
}

std::string key(int user, int sibling)
{
    return std::string(kSigns[user]) + '-' + kSigns[sibling];
}

const core::PairRow *rowWithKey(const std::string &wanted)
{
    for (const core::PairRow &row : core::pairTable()) {
        if (row.key == wanted)
            return &row;
    }
    return nullptr;
}

struct Lookup {
    QString pairSentence;
    QString levelSentence;
};

Lookup lookUp(const std::string &user, const std::string &sibling)
{
    core::RelationCompatibility shared;
    shared.YourSunSign = user;
    shared.YourSiblingSunSign = sibling;
    shared.GetRelationCompatibility();
    return {QString::fromStdString(shared.PairSentence), QString::fromStdString(shared.LevelSentence)};
}

} // namespace

class TestPairTable : public QObject
{
    Q_OBJECT

private slots:
    void canonicalSigns();
    void rowsInCanonicalOrder();
    void everyKeyOnce();
    void levelsFollowTheGrid_data();
    void levelsFollowTheGrid();
    void levelCounts();
    void mirrorPairsShareTheLevel_data();
    void mirrorPairsShareTheLevel();
    void summarySentences_data();
    void summarySentences();
    void telltaleVerdicts_data();
    void telltaleVerdicts();
    void inexactKeysMatchNothing_data();
    void inexactKeysMatchNothing();
    void firstLookupWithoutMatch();
    void laterLookupWithoutMatchKeepsThePairSentence();
    void lookupLeavesTheSignsAlone();
};

void TestPairTable::canonicalSigns()
{
    QCOMPARE(core::kSunSigns.size(), std::size_t(12));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(text(core::kSunSigns[static_cast<std::size_t>(i)]), QString::fromLatin1(kSigns[i]));
}

void TestPairTable::rowsInCanonicalOrder()
{
    const auto &rows = core::pairTable();
    QCOMPARE(rows.size(), std::size_t(144));
    for (int user = 0; user < 12; ++user) {
        for (int sibling = 0; sibling < 12; ++sibling) {
            const core::PairRow &row = rows[static_cast<std::size_t>(12 * user + sibling)];
            QCOMPARE(text(row.key), QString::fromStdString(key(user, sibling)));
        }
    }
}

void TestPairTable::everyKeyOnce()
{
    std::map<std::string_view, int> seen;
    for (const core::PairRow &row : core::pairTable())
        ++seen[row.key];
    QCOMPARE(seen.size(), std::size_t(144));
    for (const auto &[rowKey, count] : seen)
        QVERIFY2(count == 1, std::string(rowKey).c_str());
}

void TestPairTable::levelsFollowTheGrid_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("sibling");
    QTest::addColumn<int>("row");
    QTest::addColumn<char>("level");
    for (int user = 0; user < 12; ++user) {
        for (int sibling = 0; sibling < 12; ++sibling) {
            QTest::newRow(key(user, sibling).c_str())
                << QString::fromLatin1(kSigns[user]) << QString::fromLatin1(kSigns[sibling])
                << 12 * user + sibling << kGrid[user][sibling];
        }
    }
}

void TestPairTable::levelsFollowTheGrid()
{
    QFETCH(QString, user);
    QFETCH(QString, sibling);
    QFETCH(int, row);
    QFETCH(char, level);

    const core::PairRow &stored = core::pairTable()[static_cast<std::size_t>(row)];
    QCOMPARE(stored.level, level);

    const Lookup result = lookUp(user.toStdString(), sibling.toStdString());
    QCOMPARE(result.levelSentence, summaryFor(level));
    QCOMPARE(result.pairSentence, text(stored.sentence));
}

void TestPairTable::levelCounts()
{
    std::map<char, int> counts;
    for (const core::PairRow &row : core::pairTable())
        ++counts[row.level];
    QCOMPARE(counts.size(), std::size_t(3));
    QCOMPARE(counts['3'], 61);
    QCOMPARE(counts['2'], 29);
    QCOMPARE(counts['1'], 54);
}

void TestPairTable::mirrorPairsShareTheLevel_data()
{
    QTest::addColumn<int>("user");
    QTest::addColumn<int>("sibling");
    for (int user = 0; user < 12; ++user) {
        for (int sibling = user + 1; sibling < 12; ++sibling)
            QTest::newRow(key(user, sibling).c_str()) << user << sibling;
    }
}

void TestPairTable::mirrorPairsShareTheLevel()
{
    QFETCH(int, user);
    QFETCH(int, sibling);

    const core::PairRow *forward = rowWithKey(key(user, sibling));
    const core::PairRow *backward = rowWithKey(key(sibling, user));
    QVERIFY(forward && backward);
    if (key(user, sibling) == "Cancer-Capricorn") {
        // The one lopsided pair: the Capricorn user only gets along OK.
        QCOMPARE(forward->level, '3');
        QCOMPARE(backward->level, '2');
    } else {
        QCOMPARE(forward->level, backward->level);
    }
}

void TestPairTable::summarySentences_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("1") << 1 << kLevel1;
    QTest::newRow("2") << 2 << kLevel2;
    QTest::newRow("3") << 3 << kLevel3;
    QTest::newRow("none found") << 0 << kLevel3;
    QTest::newRow("out of range") << 4 << kLevel3;
}

void TestPairTable::summarySentences()
{
    QFETCH(int, level);
    QFETCH(QString, sentence);
    QCOMPARE(text(core::levelSentence(level)), sentence);
}

void TestPairTable::telltaleVerdicts_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("sibling");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("mirrorSummary");
    QTest::newRow("Aries-Aries") << "Aries" << "Aries" << kLevel3 << kLevel3;
    QTest::newRow("Cancer-Capricorn") << "Cancer" << "Capricorn" << kLevel3 << kLevel2;
    QTest::newRow("Leo-Leo") << "Leo" << "Leo" << kLevel2 << kLevel2;
    QTest::newRow("Capricorn-Capricorn") << "Capricorn" << "Capricorn" << kLevel2 << kLevel2;
    QTest::newRow("Taurus-Gemini") << "Taurus" << "Gemini" << kLevel1 << kLevel1;
    QTest::newRow("Leo-Capricorn") << "Leo" << "Capricorn" << kLevel1 << kLevel1;
    QTest::newRow("Virgo-Pisces") << "Virgo" << "Pisces" << kLevel3 << kLevel3;
}

void TestPairTable::telltaleVerdicts()
{
    QFETCH(QString, user);
    QFETCH(QString, sibling);
    QFETCH(QString, summary);
    QFETCH(QString, mirrorSummary);

    const Lookup forward = lookUp(user.toStdString(), sibling.toStdString());
    const Lookup backward = lookUp(sibling.toStdString(), user.toStdString());
    QCOMPARE(forward.levelSentence, summary);
    QCOMPARE(backward.levelSentence, mirrorSummary);
    QVERIFY(!forward.pairSentence.isEmpty());
    QVERIFY(!backward.pairSentence.isEmpty());
}

void TestPairTable::inexactKeysMatchNothing_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("sibling");
    QTest::newRow("small initial") << "aries" << "Aries";
    QTest::newRow("capitals") << "ARIES" << "ARIES";
    QTest::newRow("small sibling") << "Leo" << "leo";
    QTest::newRow("blank before hyphen") << "Aries " << "Aries";
    QTest::newRow("blank after hyphen") << "Aries" << " Aries";
    QTest::newRow("leading blank") << " Aries" << "Aries";
    QTest::newRow("trailing blank") << "Aries" << "Aries ";
    QTest::newRow("user empty") << "" << "Aries";
    QTest::newRow("sibling empty") << "Aries" << "";
    QTest::newRow("both empty") << "" << "";
    QTest::newRow("whole key as user") << "Aries-Aries" << "";
    QTest::newRow("not a sign") << "Ophiuchus" << "Aries";
}

void TestPairTable::inexactKeysMatchNothing()
{
    QFETCH(QString, user);
    QFETCH(QString, sibling);

    core::RelationCompatibility shared;
    // A level-1 match first, so a stray match or a cleared sentence shows.
    shared.YourSunSign = "Leo";
    shared.YourSiblingSunSign = "Capricorn";
    shared.GetRelationCompatibility();
    const std::string earlier = shared.PairSentence;
    QCOMPARE(QString::fromStdString(shared.LevelSentence), kLevel1);

    shared.YourSunSign = user.toStdString();
    shared.YourSiblingSunSign = sibling.toStdString();
    shared.GetRelationCompatibility();
    QCOMPARE(shared.PairSentence, earlier);
    QCOMPARE(QString::fromStdString(shared.LevelSentence), kLevel3);
}

void TestPairTable::firstLookupWithoutMatch()
{
    core::RelationCompatibility shared;
    QVERIFY(shared.PairSentence.empty());
    QVERIFY(shared.LevelSentence.empty());
    shared.YourSiblingSunSign = "Aries";
    shared.GetRelationCompatibility();
    QVERIFY(shared.PairSentence.empty());
    QCOMPARE(QString::fromStdString(shared.LevelSentence), kLevel3);
}

void TestPairTable::laterLookupWithoutMatchKeepsThePairSentence()
{
    core::RelationCompatibility shared;
    shared.YourSunSign = "Taurus";
    shared.YourSiblingSunSign = "Gemini";
    shared.GetRelationCompatibility();
    const std::string matched = shared.PairSentence;
    QVERIFY(!matched.empty());

    shared.YourSunSign = "";
    shared.GetRelationCompatibility();
    QCOMPARE(shared.PairSentence, matched);
    QCOMPARE(QString::fromStdString(shared.LevelSentence), kLevel3);

    // And a match after that replaces it again.
    shared.YourSunSign = "Pisces";
    shared.YourSiblingSunSign = "Pisces";
    shared.GetRelationCompatibility();
    QVERIFY(shared.PairSentence != matched);
    QCOMPARE(QString::fromStdString(shared.PairSentence), text(core::pairTable()[143].sentence));
}

void TestPairTable::lookupLeavesTheSignsAlone()
{
    core::RelationCompatibility shared;
    shared.YourSunSign = "Gemini";
    shared.YourSiblingSunSign = "Libra";
    shared.GetRelationCompatibility();
    QCOMPARE(shared.YourSunSign, std::string("Gemini"));
    QCOMPARE(shared.YourSiblingSunSign, std::string("Libra"));
}

QTEST_APPLESS_MAIN(TestPairTable)
#include "tst_pairtable.moc"
