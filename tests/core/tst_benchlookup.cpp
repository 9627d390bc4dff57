// How long the pair lookup takes: one benchmark row for the first pair of
// the table, one for the last (the lookup walks the table) and one for a key
// the table lacks. Each row also checks the outcome, so a fast but wrong
// lookup fails. Run without arguments (as the test run does) it takes a
// short sample; for a proper measurement give QtTest's own options, such as
// "-median 15".

#include "core/PairTable.h"

#include <QtTest>

class TestBenchLookup : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
};

void TestBenchLookup::lookup_data()
{
    QTest::addColumn<QString>("yours");
    QTest::addColumn<QString>("siblings");
    QTest::addColumn<QString>("level");
    QTest::newRow("first row") << "Aries" << "Aries" << "You Both Get Along Very Well";
    QTest::newRow("near the end") << "Pisces" << "Aquarius" << "You Get Along OK";
    QTest::newRow("no such pair") << "" << "Leo" << "You Both Get Along Very Well";
}

void TestBenchLookup::lookup()
{
    QFETCH(QString, yours);
    QFETCH(QString, siblings);
    QFETCH(QString, level);
    core::RelationCompatibility shared;
    shared.YourSunSign = yours.toStdString();
    shared.YourSiblingSunSign = siblings.toStdString();
    shared.PairSentence = "before";
    QBENCHMARK {
        shared.GetRelationCompatibility();
    }
    QCOMPARE(QString::fromStdString(shared.LevelSentence), level);
    const std::string key = shared.YourSunSign + '-' + shared.YourSiblingSunSign;
    std::string sentence = "before";
    for (const core::PairRow &row : core::pairTable()) {
        if (row.key == key)
            sentence = std::string(row.sentence);
    }
    QCOMPARE(shared.PairSentence, sentence);
}

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (argc == 1)
        arguments << QStringLiteral("-iterations") << QStringLiteral("2000");
    TestBenchLookup test;
    return QTest::qExec(&test, arguments);
}
#include "tst_benchlookup.moc"
