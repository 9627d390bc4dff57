#pragma once

// The sibling pair table and its lookup. Rows run user sign outer, sibling
// sign inner, both in canonical order: row = 12 * user + sibling.

#include <array>
#include <string>
#include <string_view>

namespace core {

struct PairRow {
    std::string_view key;      // "Aries-Taurus": the user's sign first
    char level;                // '1', '2' or '3'
    std::string_view sentence;
};

const std::array<PairRow, 144> &pairTable();

// "You Both Do Not Get Along At all", "You Get Along OK", and for 3 or any
// other value "You Both Get Along Very Well".
std::string_view levelSentence(int level);

// The four texts shared between the test run and the lookup. They start
// empty, live as long as the program and are only ever overwritten.
struct RelationCompatibility {
    std::string YourSunSign;
    std::string YourSiblingSunSign;
    std::string PairSentence;   // written on a match only
    std::string LevelSentence;  // written on every lookup

    // Looks up YourSunSign + "-" + YourSiblingSunSign. Without a matching
    // row PairSentence keeps its value and LevelSentence is the level-3 one.
    void GetRelationCompatibility();
};

} // namespace core
