#include "core/ChildProfiles.h"

#include "core/ContentTables.h"
#include "core/SunSign.h"

namespace core {

std::optional<std::string_view> ChildProfileFor(std::string_view sign)
{
    for (std::size_t i = 0; i < kSunSigns.size(); ++i) {
        if (kSunSigns[i] == sign)
            return kChildProfiles[i];
    }
    return std::nullopt;
}

} // namespace core
