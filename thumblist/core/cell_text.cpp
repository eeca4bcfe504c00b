#include "thumblist/core/cell_text.h"

#include <cstdint>

#include "common/sdom_doc.h"
#include "thumblist/core/upload_rule.h"

namespace mb::thumblist {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename T>
int Sign(T left, T right) {
  return left < right ? -1 : (left > right ? 1 : 0);
}
}  // namespace

bool IsNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

bool IsDate(std::string_view text) {
  if (text.size() != 10) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool slashPlace = i == 2 || i == 5;
    if (slashPlace ? text[i] != '/' : !IsDigit(text[i])) return false;
  }
  return true;
}

int NumberCompare(std::string_view left, std::string_view right) {
  const PictureDimensions a = ParseDimensions(left);
  const PictureDimensions b = ParseDimensions(right);
  return Sign(static_cast<std::int64_t>(a.width) * a.height, static_cast<std::int64_t>(b.width) * b.height);
}

int DateCompare(std::string_view left, std::string_view right) {
  auto key = [](std::string_view date) {
    return ReadLeadingInt(date.substr(6)) * 10000 + ReadLeadingInt(date.substr(3, 2)) * 100 +
           ReadLeadingInt(date.substr(0, 2));
  };
  if (!IsDate(left) || !IsDate(right)) return Sign(left, right);
  return Sign(key(left), key(right));
}

}  // namespace mb::thumblist
