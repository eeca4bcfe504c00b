// Quoting and splitting must be inverse for texts without line breaks, whatever their bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/value_quoting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  mb::SplitQuotedList(text);
  mb::UnescapeConfigValue(text);
  if (text.empty() || text.find_first_of("\r\n") != std::string::npos) return 0;
  auto items = mb::SplitQuotedList(mb::QuoteConfigValue(text));
  if (items.size() != 1 || items[0] != text) std::abort();
  return 0;
}
