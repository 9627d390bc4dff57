#include "core/ChildProfiles.h"

#include "core/SunSign.h"

namespace core {

// The twelve paragraphs, in canonical sign order; defined with the content.
extern const std::array<std::string_view, 12> kChildProfiles;

std::optional<std::string_view> ChildProfileFor(std::string_view sign)
{
    for (std::size_t i = 0; i < kSunSigns.size(); ++i) {
        if (kSunSigns[i] == sign)
            return kChildProfiles[i];
    }
    return std::nullopt;
}

} // namespace core
