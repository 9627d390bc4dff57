#pragma once

// The sun-sign calendar. Signs are plain texts compared exactly; the empty
// text means "no sign". Only the 0-based positions of the month and day lists
// are looked at, never a year.

#include <array>
#include <string>
#include <string_view>

namespace core {

using SunSign = std::string;

// The twelve signs in their canonical order (the pair and profile tables
// follow it).
inline constexpr std::array<std::string_view, 12> kSunSigns = {
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// Month position 0..11 (January..December), day position 0..30 (day 1..31).
// Any other position gives the empty text.
SunSign SunSignForDate(int monthPosition, int dayPosition);

} // namespace core
