#include "uibase/html/html_text.h"

#include "common/gbk_text.h"

namespace mb::html {

namespace {

struct Entity {
  std::string_view name;
  std::string_view text;
};

// Values are bytes of the ANSI code page; "&lt;" becomes the escape of a literal "<".
constexpr Entity kEntities[] = {
    {"&amp;", "&"},        {"&bull;", "\x95"}, {"&copy;", "\xA9"}, {"&euro;", "\x88"},  {"&gt;", ">"},
    {"&iquest;", "\xBF"}, {"&lt;", "<<"},     {"&nbsp;", " "},    {"&para;", "\xB6"},  {"&pound;", "\xA3"},
    {"&quot;", "\""},     {"&reg;", "\xAE"},  {"&trade;", "\x99"},
};

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Next character boundary after pos.
std::size_t Next(std::string_view text, std::size_t pos) { return pos + GbkCharLength(text, pos); }

// Position of the first single-byte character c at or after pos, or npos.
std::size_t FindChar(std::string_view text, std::size_t pos, char c) {
  for (; pos < text.size(); pos = Next(text, pos)) {
    if (text[pos] == c && GbkCharLength(text, pos) == 1) return pos;
  }
  return std::string_view::npos;
}

// Position of the first single-byte character among set at or after pos, or the text's size.
std::size_t FindAny(std::string_view text, std::size_t pos, std::string_view set) {
  for (; pos < text.size(); pos = Next(text, pos)) {
    if (GbkCharLength(text, pos) == 1 && set.find(text[pos]) != std::string_view::npos) return pos;
  }
  return text.size();
}

}  // namespace

std::string PrepareText(std::string_view text, bool keepLineStructure) {
  std::string out = "<body>";
  out.reserve(text.size() + 16);
  for (std::size_t pos = 0; pos < text.size();) {
    const char c = text[pos];
    if (c == '&') {
      bool replaced = false;
      for (const Entity& e : kEntities) {
        if (text.compare(pos, e.name.size(), e.name) == 0) {
          out += e.text;
          pos += e.name.size();
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    const std::size_t n = GbkCharLength(text, pos);
    if (n == 1 && c == '\r') {
    } else if (n == 1 && c == '\n') {
      if (keepLineStructure) out += "<br>";
    } else if (n == 1 && c == '\t') {
      if (keepLineStructure) out += "<t>";
    } else {
      out.append(text.substr(pos, n));
    }
    pos += n;
  }
  out += "</body>";
  return out;
}

std::vector<Token> Tokenise(std::string_view prepared) {
  std::vector<Token> tokens;
  std::string run;
  std::size_t pos = 0;
  while (pos < prepared.size()) {
    const std::size_t open = FindChar(prepared, pos, '<');
    if (open == std::string_view::npos) {
      run.append(prepared.substr(pos));
      break;
    }
    run.append(prepared.substr(pos, open - pos));
    if (open + 1 < prepared.size() && prepared[open + 1] == '<') {
      run += '<';
      pos = open + 2;
      continue;
    }
    const std::size_t close = FindChar(prepared, open + 1, '>');
    if (close == std::string_view::npos) {  // a "<" with no ">": dropped
      pos = open + 1;
      continue;
    }
    if (!run.empty()) tokens.push_back({Token::kRun, std::move(run)});
    run.clear();
    tokens.push_back({Token::kTag, std::string(prepared.substr(open + 1, close - open - 1))});
    pos = close + 1;
  }
  if (!run.empty()) tokens.push_back({Token::kRun, std::move(run)});
  return tokens;
}

TagText SplitTag(std::string_view tagText) {
  TagText tag;
  const std::size_t end = FindAny(tagText, 0, " =");
  std::string_view name = tagText.substr(0, end);
  if (!name.empty() && name[0] == '/') {
    tag.closing = true;
    name.remove_prefix(1);
  }
  tag.name = GbkToLowerAscii(name);
  std::string_view rest = tagText.substr(end);
  while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
  tag.attributes = std::string(rest);
  return tag;
}

std::size_t SkipToWordStart(std::string_view text, std::size_t pos) {
  for (; pos < text.size(); pos = Next(text, pos)) {
    if (GbkCharLength(text, pos) == 1 && (IsAsciiAlnum(text[pos]) || text[pos] == '.')) return pos;
  }
  return text.size();
}

Attributes ParseAttributes(std::string_view text) {
  Attributes out;
  std::size_t pos = SkipToWordStart(text, 0);
  while (pos < text.size()) {
    const std::size_t nameEnd = FindAny(text, pos, " =");
    std::string name(text.substr(pos, nameEnd - pos));
    pos = nameEnd;
    std::size_t look = pos;
    while (look < text.size() && text[look] == ' ') ++look;
    std::string value;
    if (look < text.size() && text[look] == '=') {
      pos = look;
      while (pos < text.size() && (text[pos] == ' ' || text[pos] == '=')) ++pos;
      if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const std::size_t close = FindChar(text, pos + 1, text[pos]);
        const std::size_t end = close == std::string_view::npos ? text.size() : close;
        value = std::string(text.substr(pos + 1, end - pos - 1));
        pos = close == std::string_view::npos ? text.size() : close + 1;
      } else {
        const std::size_t end = FindAny(text, pos, " ");
        value = std::string(text.substr(pos, end - pos));
        pos = end;
      }
    }
    out.emplace_back(std::move(name), std::move(value));
    pos = SkipToWordStart(text, pos);
  }
  return out;
}

const std::string* FindAttribute(const Attributes& attributes, std::string_view name) {
  const std::string* found = nullptr;
  for (const auto& [n, v] : attributes) {
    if (n == name) found = &v;
  }
  return found;
}

}  // namespace mb::html
