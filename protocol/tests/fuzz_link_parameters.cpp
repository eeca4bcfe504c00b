// Any link bytes: the parameters are one blank and one quoted argument with no quote, control
// byte or escaping backslash inside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/link_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view link(reinterpret_cast<const char*>(data), size);
  const std::string parameters = mb::ClientParameters(link);
  if (parameters.size() < 3 || parameters.compare(0, 2, " \"") != 0 || parameters.back() != '"') std::abort();
  const std::string_view inside = std::string_view(parameters).substr(2, parameters.size() - 3);
  for (unsigned char c : inside) {
    if (c == '"' || c < 0x20 || c == 0x7F) std::abort();
  }
  if (!inside.empty() && inside.back() == '\\' &&
      (inside.size() < 2 || static_cast<unsigned char>(inside[inside.size() - 2]) < 0x81)) {
    std::abort();
  }
  if (const auto path = mb::ClientProgramPath(link)) {
    if (path->size() >= mb::kMaxPathBytes) std::abort();
  }
  return 0;
}
