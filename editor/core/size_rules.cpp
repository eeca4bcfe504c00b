#include "editor/core/size_rules.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "image/picture.h"

namespace mb::editor {

std::optional<std::string> ProportionalSide(const std::string& typedText, int start, int startOther) {
  if (start <= 0 || startOther <= 0 || typedText.empty()) return std::nullopt;
  char* end = nullptr;
  const double typed = std::strtod(typedText.c_str(), &end);
  if (end == typedText.c_str() || *end != '\0' || !(typed > 0) || typed > 1e9) return std::nullopt;
  char text[32];
  if (typed == start) {
    std::snprintf(text, sizeof text, "%d", startOther);
  } else {
    // Divided in this order, the halves round as the member's dialog always rounded them.
    std::snprintf(text, sizeof text, "%.0f", startOther / (start / typed));
  }
  return std::string(text);
}

bool IsAcceptablePictureSize(int width, int height) {
  const DecodeLimits caps;
  return width >= 1 && height >= 1 && width <= caps.maxWidth && height <= caps.maxHeight &&
         static_cast<long long>(width) * height <= caps.maxPixels;
}

std::optional<int> ParseSide(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE || value < -2147483647L || value > 2147483647L) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace mb::editor
