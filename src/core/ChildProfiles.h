#pragma once

// How a child of each sign behaves: one paragraph per sign, shown exactly as
// stored (trailing blanks included).

#include <optional>
#include <string_view>

namespace core {

// The paragraph of the sign with exactly this name, or nothing.
std::optional<std::string_view> ChildProfileFor(std::string_view sign);

} // namespace core
