#pragma once

// The content tables, defined in their own source files apart from the
// lookups that read them. Internal to the core.

#include "core/PairTable.h"

#include <array>
#include <string_view>

namespace core {

// Row 12 * user + sibling, signs in canonical order.
extern const std::array<PairRow, 144> kPairRows;

// One paragraph per sign, in canonical order.
extern const std::array<std::string_view, 12> kChildProfiles;

} // namespace core
