#include "client/core/packed_fields.h"

#include <algorithm>

namespace mb {

std::array<std::string, 5> SplitPackedFields(std::string_view packed) {
  std::array<std::string, 5> fields;
  std::size_t next = 0;
  std::size_t at = 0;
  while (next < fields.size()) {
    at = packed.find_first_not_of('*', at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(packed.find('*', at), packed.size());
    fields[next++] = std::string(packed.substr(at, end - at));
    at = end;
  }
  return fields;
}

}  // namespace mb
