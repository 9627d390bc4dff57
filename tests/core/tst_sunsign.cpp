// The sun-sign calendar at every boundary (the first and last day of each
// sign, the days the day list offers in every month) and at every position
// it can be handed. Whole months are checked against a day-of-year reckoning
// of the sign boundaries written out here on its own, so it shares no table
// with the calendar; every position outside the lists, down to the extremes
// a 16-bit list position can hold, gives no sign.

#include "core/SunSign.h"

#include <QtTest>

#include <cstdint>
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
QString reckonedSign(int monthPosition, int dayPosition)
{
    const int day = std::min(dayPosition + 1, kMonthLength[monthPosition]);
    const int doy = dayOfYear(monthPosition + 1, day);
    const char *sign = "Capricorn";   // 1 to 19 January, before the first start
    for (const SignStart &start : kStarts) {
        if (dayOfYear(start.month, start.day) <= doy)
            sign = start.sign;
    }
    return QString::fromLatin1(sign);
}

void addDate(const char *name, int day, int month, const char *sign)
{
    // Rows name the calendar date; the calendar takes 0-based positions.
    QTest::newRow(name) << month - 1 << day - 1 << QString::fromLatin1(sign);
}

QString signFor(int month, int day)
{
    return QString::fromStdString(core::SunSignForDate(month, day));
}

} // namespace

class TestSunSign : public QObject
{
    Q_OBJECT

private slots:
    void boundaries_data();
    void boundaries();
    void everyDayOfTheMonth_data();
    void everyDayOfTheMonth();
    void outsideTheLists_data();
    void outsideTheLists();
    void everyPositionOnOneAxis_data();
    void everyPositionOnOneAxis();
};

void TestSunSign::boundaries_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("sign");

    addDate("1 January", 1, 1, "Capricorn");
    addDate("19 January", 19, 1, "Capricorn");
    addDate("20 January", 20, 1, "Aquarius");
    addDate("31 January", 31, 1, "Aquarius");
    addDate("1 February", 1, 2, "Aquarius");
    addDate("18 February", 18, 2, "Aquarius");
    addDate("19 February", 19, 2, "Pisces");
    addDate("28 February", 28, 2, "Pisces");
    addDate("29 February", 29, 2, "Pisces");
    addDate("1 March", 1, 3, "Pisces");
    addDate("20 March", 20, 3, "Pisces");
    addDate("21 March", 21, 3, "Aries");
    addDate("31 March", 31, 3, "Aries");
    addDate("1 April", 1, 4, "Aries");
    addDate("20 April", 20, 4, "Aries");
    addDate("21 April", 21, 4, "Taurus");
    addDate("30 April", 30, 4, "Taurus");
    addDate("1 May", 1, 5, "Taurus");
    addDate("20 May", 20, 5, "Taurus");
    addDate("21 May", 21, 5, "Gemini");
    addDate("31 May", 31, 5, "Gemini");
    addDate("1 June", 1, 6, "Gemini");
    addDate("20 June", 20, 6, "Gemini");
    addDate("21 June", 21, 6, "Cancer");
    addDate("30 June", 30, 6, "Cancer");
    addDate("1 July", 1, 7, "Cancer");
    addDate("20 July", 20, 7, "Cancer");
    addDate("21 July", 21, 7, "Leo");
    addDate("23 July", 23, 7, "Leo");
    addDate("31 July", 31, 7, "Leo");
    addDate("1 August", 1, 8, "Leo");
    addDate("20 August", 20, 8, "Leo");
    addDate("21 August", 21, 8, "Virgo");
    addDate("31 August", 31, 8, "Virgo");
    addDate("1 September", 1, 9, "Virgo");
    addDate("20 September", 20, 9, "Virgo");
    addDate("21 September", 21, 9, "Libra");
    addDate("30 September", 30, 9, "Libra");
    addDate("1 October", 1, 10, "Libra");
    addDate("20 October", 20, 10, "Libra");
    addDate("21 October", 21, 10, "Scorpio");
    addDate("31 October", 31, 10, "Scorpio");
    addDate("1 November", 1, 11, "Scorpio");
    addDate("20 November", 20, 11, "Scorpio");
    addDate("21 November", 21, 11, "Sagittarius");
    addDate("30 November", 30, 11, "Sagittarius");
    addDate("1 December", 1, 12, "Sagittarius");
    addDate("20 December", 20, 12, "Sagittarius");
    addDate("21 December", 21, 12, "Capricorn");
    addDate("22 December", 22, 12, "Capricorn");
    addDate("31 December", 31, 12, "Capricorn");
    // The day list offers 30 and 31 in every month; the calendar still
    // answers with the month's second sign.
    addDate("30 February", 30, 2, "Pisces");
    addDate("31 February", 31, 2, "Pisces");
    addDate("31 April", 31, 4, "Taurus");
    addDate("31 June", 31, 6, "Cancer");
    addDate("31 September", 31, 9, "Libra");
    addDate("31 November", 31, 11, "Sagittarius");
}

void TestSunSign::boundaries()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, sign);
    QCOMPARE(signFor(month, day), sign);
}

void TestSunSign::everyDayOfTheMonth_data()
{
    QTest::addColumn<int>("month");
    for (int month = 0; month < 12; ++month)
        QTest::newRow(QLocale::c().monthName(month + 1).toLatin1().constData()) << month;
}

// Every day position of the month against the reckoning; the year walks
// through the signs in order, each month starting with the sign the month
// before ended with.
void TestSunSign::everyDayOfTheMonth()
{
    QFETCH(int, month);
    for (int day = 0; day < 31; ++day)
        QVERIFY2(signFor(month, day) == reckonedSign(month, day), qPrintable(QString::number(day + 1)));
    QCOMPARE(signFor(month, 0), signFor((month + 11) % 12, 30));
}

void TestSunSign::outsideTheLists_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");

    constexpr int lowest = std::numeric_limits<std::int16_t>::min();
    constexpr int highest = std::numeric_limits<std::int16_t>::max();
    QTest::newRow("no month chosen") << -1 << 0;
    QTest::newRow("no day chosen") << 0 << -1;
    QTest::newRow("nothing chosen") << -1 << -1;
    QTest::newRow("month 12") << 12 << 0;
    QTest::newRow("month 12, last day") << 12 << 30;
    QTest::newRow("day position 31") << 0 << 31;
    QTest::newRow("day position 31 in December") << 11 << 31;
    QTest::newRow("lowest month") << lowest << 0;
    QTest::newRow("highest month") << highest << 0;
    QTest::newRow("lowest day") << 6 << lowest;
    QTest::newRow("highest day") << 6 << highest;
    QTest::newRow("both lowest") << lowest << lowest;
    QTest::newRow("both highest") << highest << highest;
}

void TestSunSign::outsideTheLists()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QVERIFY(core::SunSignForDate(month, day).empty());
}

void TestSunSign::everyPositionOnOneAxis_data()
{
    QTest::addColumn<bool>("monthAxis");
    QTest::newRow("every month position, days in range") << true;
    QTest::newRow("every day position, months in range") << false;
}

void TestSunSign::everyPositionOnOneAxis()
{
    QFETCH(bool, monthAxis);
    for (int position = std::numeric_limits<std::int16_t>::min();
         position <= std::numeric_limits<std::int16_t>::max(); ++position) {
        for (int other = 0; other < (monthAxis ? 31 : 12); ++other) {
            const int month = monthAxis ? position : other;
            const int day = monthAxis ? other : position;
            const bool inRange = month >= 0 && month <= 11 && day >= 0 && day <= 30;
            if (core::SunSignForDate(month, day).empty() == inRange)
                QFAIL(qPrintable(QStringLiteral("month position %1, day position %2: \"%3\"")
                                     .arg(month).arg(day).arg(signFor(month, day))));
        }
    }
}

QTEST_APPLESS_MAIN(TestSunSign)
#include "tst_sunsign.moc"
