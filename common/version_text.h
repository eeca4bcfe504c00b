// Dotted version texts ("1.2.0.15") as the update check compares them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mb {

// True when first is greater than second, component by component as numbers; a missing
// component counts as 0.
bool CompareVersionText(std::string_view first, std::string_view second);

// "%d.%d.%d.%d" from the two 32-bit words of a fixed file-version block.
std::string FormatFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

}  // namespace mb
