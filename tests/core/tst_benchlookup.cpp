// How long the pair lookup takes: one benchmark row for the first pair of
// the table, one for the last (the lookup walks the table) and one for a key
// the table lacks. Each row also checks the outcome, so a fast but wrong
// lookup fails.

#include "core/PairTable.h"

#include "BenchMain.h"

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
    QTest::addColumn<QString>("opening");   // of the pair sentence; "before": left as it was
    QTest::newRow("first row") << "Aries" << "Aries" << "You Both Get Along Very Well"
                               << "You both get along pretty well. Though your tempers may be fierce";
    QTest::newRow("near the end") << "Pisces" << "Aquarius" << "You Get Along OK"
                                  << "Aquarius lives in the head and Pisces in the heart";
    QTest::newRow("no such pair") << "" << "Leo" << "You Both Get Along Very Well" << "before";
}

void TestBenchLookup::lookup()
{
    QFETCH(QString, yours);
    QFETCH(QString, siblings);
    QFETCH(QString, level);
    QFETCH(QString, opening);
    core::RelationCompatibility shared;
    shared.YourSunSign = yours.toStdString();
    shared.YourSiblingSunSign = siblings.toStdString();
    shared.PairSentence = "before";
    QBENCHMARK {
        shared.GetRelationCompatibility();
    }
    QCOMPARE(QString::fromStdString(shared.LevelSentence), level);
    QVERIFY2(QString::fromStdString(shared.PairSentence).startsWith(opening), shared.PairSentence.c_str());
}

int main(int argc, char *argv[])
{
    return runBenchmark<TestBenchLookup>(argc, argv, 2000);
}
#include "tst_benchlookup.moc"
