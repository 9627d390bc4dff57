// Every position the calendar can be handed. The in-range pairs are checked
// against a day-of-year reckoning of the sign boundaries written out here on
// its own, so it shares no table with the calendar; every other 16-bit
// position on either axis must give no sign.

#include "core/SunSign.h"

#include <QtTest>

#include <limits>

namespace {

// Days per month in a leap year, so 29 February is a date like any other.
constexpr int kMonthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int dayOfYear(int month, int day)   // month 1..12, day 1..31
{
    int days = day;
    for (int m = 1; m < month; ++m)
        days += kMonthLength[m - 1];
    return days;
}

struct SignStart {
    const char *sign;
    int month;
    int day;
};

// The first day of each sign, in calendar order from January.
constexpr SignStart kStarts[] = {
    {"Aquarius", 1, 20}, {"Pisces", 2, 19}, {"Aries", 3, 21}, {"Taurus", 4, 21},
    {"Gemini", 5, 21}, {"Cancer", 6, 21}, {"Leo", 7, 21}, {"Virgo", 8, 21},
    {"Libra", 9, 21}, {"Scorpio", 10, 21}, {"Sagittarius", 11, 21}, {"Capricorn", 12, 21},
};

// A day past the end of its month (30 February, 31 April) counts as the
// month's last day: the day list offers 31 days in every month.
std::string expectedSign(int monthPosition, int dayPosition)
{
    const int month = monthPosition + 1;
    const int day = std::min(dayPosition + 1, kMonthLength[monthPosition]);
    const int doy = dayOfYear(month, day);
    std::string sign = "Capricorn";   // 1 to 19 January, before the first start
    for (const SignStart &start : kStarts) {
        if (dayOfYear(start.month, start.day) <= doy)
            sign = start.sign;
    }
    return sign;
}

QByteArray where(int month, int day)
{
    return "month position " + QByteArray::number(month) + ", day position "
        + QByteArray::number(day);
}

} // namespace

class TestSunSignSweep : public QObject
{
    Q_OBJECT

private slots:
    void everyListPairAgainstDayOfYear();
    void everyPositionOnOneAxis_data();
    void everyPositionOnOneAxis();
    void referenceReckoningKnowsTheBoundaries();
};

void TestSunSignSweep::everyListPairAgainstDayOfYear()
{
    for (int month = 0; month < 12; ++month) {
        for (int day = 0; day < 31; ++day) {
            const std::string got = core::SunSignForDate(month, day);
            const std::string want = expectedSign(month, day);
            if (got != want)
                QFAIL(QByteArray(where(month, day) + ": got \"" + QByteArray::fromStdString(got)
                                 + "\", expected \"" + QByteArray::fromStdString(want) + '"')
                          .constData());
        }
    }
}

void TestSunSignSweep::everyPositionOnOneAxis_data()
{
    QTest::addColumn<bool>("monthAxis");
    QTest::newRow("every month position, days in range") << true;
    QTest::newRow("every day position, months in range") << false;
}

void TestSunSignSweep::everyPositionOnOneAxis()
{
    QFETCH(bool, monthAxis);
    long signs = 0;
    for (int position = std::numeric_limits<qint16>::min(); position <= std::numeric_limits<qint16>::max();
         ++position) {
        for (int other = 0; other < (monthAxis ? 31 : 12); ++other) {
            const int month = monthAxis ? position : other;
            const int day = monthAxis ? other : position;
            const std::string got = core::SunSignForDate(month, day);
            const bool inRange = month >= 0 && month <= 11 && day >= 0 && day <= 30;
            if (inRange)
                ++signs;
            if (got.empty() == inRange)
                QFAIL(QByteArray(where(month, day) + ": got \"" + QByteArray::fromStdString(got) + '"')
                          .constData());
        }
    }
    QCOMPARE(signs, 12L * 31L);
}

// The reckoning above is only worth comparing against if it is right itself.
void TestSunSignSweep::referenceReckoningKnowsTheBoundaries()
{
    QCOMPARE(expectedSign(0, 18), std::string("Capricorn"));
    QCOMPARE(expectedSign(0, 19), std::string("Aquarius"));
    QCOMPARE(expectedSign(1, 17), std::string("Aquarius"));
    QCOMPARE(expectedSign(1, 28), std::string("Pisces"));
    QCOMPARE(expectedSign(1, 30), std::string("Pisces"));
    QCOMPARE(expectedSign(2, 19), std::string("Pisces"));
    QCOMPARE(expectedSign(2, 20), std::string("Aries"));
    QCOMPARE(expectedSign(3, 30), std::string("Taurus"));
    QCOMPARE(expectedSign(11, 19), std::string("Sagittarius"));
    QCOMPARE(expectedSign(11, 30), std::string("Capricorn"));
}

QTEST_APPLESS_MAIN(TestSunSignSweep)
#include "tst_sunsignsweep.moc"
