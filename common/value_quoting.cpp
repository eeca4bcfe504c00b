#include "common/value_quoting.h"

#include <algorithm>

#include "common/gbk_text.h"

namespace mb {

namespace {

// Escapes LF, CR and the caret and doubles '"'. Reports whether the text holds a character that
// makes a list item need quotes.
std::string Escape(std::string_view text, bool* needsQuotes) {
  std::string escaped;
  escaped.reserve(text.size() + 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t n = GbkCharLength(text, pos);
    const char c = text[pos];
    if (n == 2) {
      escaped.append(text.substr(pos, 2));
    } else if (c == '\n') {
      escaped += "^J";
    } else if (c == '\r') {
      escaped += "^M";
    } else if (c == '^') {
      escaped += "^^";
    } else if (c == '"') {
      escaped += "\"\"";
      *needsQuotes = true;
    } else {
      if (c == ',') *needsQuotes = true;
      escaped += c;
    }
    pos += n;
  }
  return escaped;
}

}  // namespace

std::string_view ConfigLineText(std::string_view text) {
  // CR, LF and NUL are never the trail byte of a GBK character, so a plain search is exact.
  return text.substr(0, std::min(text.find_first_of(std::string_view("\r\n\0", 3)), text.size()));
}

std::string QuoteConfigValue(std::string_view text) {
  if (text.empty()) return {};
  bool needsQuotes = false;
  std::string escaped = Escape(text, &needsQuotes);
  return needsQuotes ? '"' + escaped + '"' : escaped;
}

std::string UnescapeConfigValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t n = GbkCharLength(text, pos);
    if (n == 1 && text[pos] == '^' && pos + 1 < text.size()) {
      const char next = text[pos + 1];
      if (next == 'J') { out += '\n'; pos += 2; continue; }
      if (next == 'M') { out += '\r'; pos += 2; continue; }
      if (next == '^') { out += '^'; pos += 2; continue; }
    }
    out.append(text.substr(pos, n));
    pos += n;
  }
  return out;
}

std::vector<std::string> SplitQuotedList(std::string_view text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  std::string current;
  bool inQuotes = false;
  bool pending = false;  // something of the current item has been seen
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t n = GbkCharLength(text, pos);
    const char c = text[pos];
    if (n == 2) {
      current.append(text.substr(pos, 2));
      pending = true;
    } else if (inQuotes) {
      if (c == '"') {
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
          current += '"';
          pos += 2;
          continue;
        }
        inQuotes = false;
      } else {
        current += c;
      }
    } else if (c == ',') {
      items.push_back(UnescapeConfigValue(current));
      current.clear();
      pending = false;
    } else if (c == '"' && !pending) {
      inQuotes = true;
      pending = true;
    } else {
      current += c;
      pending = true;
    }
    pos += n;
  }
  if (pending || !current.empty()) items.push_back(UnescapeConfigValue(current));
  return items;
}

}  // namespace mb
