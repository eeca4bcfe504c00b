// Any bytes must parse or fail cleanly, and every key found must be readable back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/sdom_doc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mb::SDOMDoc doc;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (doc.ParseText(text)) {
    std::string value;
    int number = 0;
    mb::SDOMDocSection section = doc.FindSection("USER");
    section.GetString("user", value);
    section.GetInt("min", number);
    section.GetBracketValue("list", value);
  }
  return 0;
}
