// The "*"-separated texts that the service's page script packs a wallpaper's fields into.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace mb {

// The first five fields of a packed text. Runs of '*' count as one separator and separators at
// the start are skipped; a field with no text left for it is empty, further fields are dropped.
// '*' is never a GBK trail byte, so the bytes can be split as they stand.
std::array<std::string, 5> SplitPackedFields(std::string_view packed);

}  // namespace mb
