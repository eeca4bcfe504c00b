#include "client/core/reply_length.h"

#include <cstdint>

#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr std::uint64_t kLengthLimit = UINT64_MAX / 10 - 1;

// The decimal value of a header length; false when it holds anything but digits. A value too
// large to hold is kept at the limit, which no body reaches.
bool ReadAnnouncedLength(std::string_view text, std::uint64_t& length) {
  text = TrimBlanks(text);
  if (text.empty()) return false;
  length = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    if (length < kLengthLimit) length = length * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

}  // namespace

bool ReplyCutShort(std::string_view contentLength, std::string_view contentEncoding, std::size_t bodyBytes) {
  const std::string_view encoding = TrimBlanks(contentEncoding);
  if (!encoding.empty() && !GbkEqualsNoCase(encoding, "identity")) return false;
  std::uint64_t announced = 0;
  if (!ReadAnnouncedLength(contentLength, announced)) return false;
  return static_cast<std::uint64_t>(bodyBytes) < announced;
}

}  // namespace mb
