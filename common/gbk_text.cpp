#include "common/gbk_text.h"

#include <cstring>

namespace mb {

std::size_t GbkCharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsGbkTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

std::size_t GbkCutLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t next = pos + GbkCharLength(text, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return pos;
}

void CopyToField(char* field, std::size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  std::memset(field, 0, fieldSize);
  std::string_view bounded = text.substr(0, text.find('\0'));
  std::size_t n = GbkCutLength(bounded, fieldSize - 1);
  if (n > 0) std::memcpy(field, bounded.data(), n);
}

std::string ReadField(const char* field, std::size_t fieldSize) {
  const void* end = std::memchr(field, 0, fieldSize);
  std::size_t n = end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : fieldSize;
  return std::string(field, n);
}

std::size_t GbkFind(std::string_view text, char c, std::size_t from) {
  for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (pos >= from && text[pos] == c) return pos;
  }
  return std::string_view::npos;
}

std::size_t GbkFind(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (pos >= from && text.compare(pos, needle.size(), needle) == 0) return pos;
  }
  return std::string_view::npos;
}

std::size_t GbkFindLast(std::string_view text, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (text[pos] == c) found = pos;
  }
  return found;
}

bool GbkEndsWith(std::string_view text, char c) {
  if (text.empty()) return false;
  std::size_t pos = 0, last = 0;
  while (pos < text.size()) {
    last = pos;
    pos += GbkCharLength(text, pos);
  }
  return pos - last == 1 && text[last] == c;
}

namespace {
template <typename Change>
std::string ChangeAsciiCase(std::string_view text, Change change) {
  std::string out(text);
  for (std::size_t pos = 0; pos < out.size();) {
    std::size_t n = GbkCharLength(out, pos);
    if (n == 1) out[pos] = change(out[pos]);
    pos += n;
  }
  return out;
}
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string GbkToLowerAscii(std::string_view text) { return ChangeAsciiCase(text, LowerAscii); }
std::string GbkToUpperAscii(std::string_view text) { return ChangeAsciiCase(text, UpperAscii); }

bool GbkEqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && GbkToLowerAscii(a) == GbkToLowerAscii(b);
}

bool GbkStartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  std::size_t cut = GbkCutLength(text, prefix.size());
  return cut == prefix.size() && GbkEqualsNoCase(text.substr(0, cut), prefix);
}

std::vector<std::string> GbkSplit(std::string_view text, std::string_view separator) {
  std::vector<std::string> items;
  if (separator.empty()) {
    items.emplace_back(text);
    return items;
  }
  std::size_t start = 0;
  for (;;) {
    std::size_t hit = GbkFind(text, separator, start);
    if (hit == std::string_view::npos) break;
    items.emplace_back(text.substr(start, hit - start));
    start = hit + separator.size();
  }
  items.emplace_back(text.substr(start));
  return items;
}

std::string GbkReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  std::size_t start = 0;
  for (;;) {
    std::size_t hit = GbkFind(text, from, start);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(start, hit - start)).append(to);
    start = hit + from.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(" \t");
  return text.substr(b, e - b + 1);
}

}  // namespace mb
