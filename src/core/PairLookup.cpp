#include "core/PairTable.h"

#include "core/ContentTables.h"

namespace core {

const std::array<PairRow, 144> &pairTable()
{
    return kPairRows;
}

std::string_view levelSentence(int level)
{
    switch (level) {
    case 1:
        return "You Both Do Not Get Along At all";
    case 2:
        return "You Get Along OK";
    default:
        return "You Both Get Along Very Well";
    }
}

void RelationCompatibility::GetRelationCompatibility()
{
    const std::string key = YourSunSign + '-' + YourSiblingSunSign;
    int level = 0;  // none found reads as level 3 below
    for (const PairRow &row : pairTable()) {
        if (row.key == key) {
            level = row.level - '0';
            PairSentence = std::string(row.sentence);
        }
    }
    LevelSentence = std::string(levelSentence(level));
}

} // namespace core
