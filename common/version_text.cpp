#include "common/version_text.h"

#include <algorithm>
#include <vector>

#include "common/gbk_text.h"
#include "common/sdom_doc.h"

namespace mb {

bool CompareVersionText(std::string_view first, std::string_view second) {
  const std::vector<std::string> a = GbkSplit(first, ".");
  const std::vector<std::string> b = GbkSplit(second, ".");
  const std::size_t count = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < count; ++i) {
    const int x = i < a.size() ? ReadLeadingInt(a[i]) : 0;
    const int y = i < b.size() ? ReadLeadingInt(b[i]) : 0;
    if (x != y) return x > y;
  }
  return false;
}

std::string FormatFileVersion(std::uint32_t ms, std::uint32_t ls) {
  return std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." +
         std::to_string(ls >> 16) + "." + std::to_string(ls & 0xFFFF);
}

}  // namespace mb
