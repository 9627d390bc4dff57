#include "core/SunSign.h"

namespace core {

namespace {

// Per month: the last day position of its first sign, then the two signs.
// Every month's second range runs to day position 30 (day 31).
struct MonthSigns {
    int lastDayOfFirst;
    std::string_view first;
    std::string_view second;
};

constexpr std::array<MonthSigns, 12> kMonths = {{
    {18, "Capricorn", "Aquarius"},    // January: 1-19, 20-31
    {17, "Aquarius", "Pisces"},       // February: 1-18, 19-31
    {19, "Pisces", "Aries"},          // March to December change on the 21st
    {19, "Aries", "Taurus"},
    {19, "Taurus", "Gemini"},
    {19, "Gemini", "Cancer"},
    {19, "Cancer", "Leo"},
    {19, "Leo", "Virgo"},
    {19, "Virgo", "Libra"},
    {19, "Libra", "Scorpio"},
    {19, "Scorpio", "Sagittarius"},
    {19, "Sagittarius", "Capricorn"},
}};

} // namespace

SunSign SunSignForDate(int monthPosition, int dayPosition)
{
    if (monthPosition < 0 || monthPosition > 11 || dayPosition < 0 || dayPosition > 30)
        return {};
    const MonthSigns &month = kMonths[static_cast<std::size_t>(monthPosition)];
    return SunSign(dayPosition <= month.lastDayOfFirst ? month.first : month.second);
}

} // namespace core
