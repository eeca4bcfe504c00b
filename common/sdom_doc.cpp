#include "common/sdom_doc.h"

#include <cstdint>
#include <cstdio>

#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "common/value_quoting.h"

namespace mb {

namespace {

const std::string* FindValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                             std::string_view key) {
  for (const auto& pair : pairs) {
    if (pair.first == key) return &pair.second;
  }
  return nullptr;
}

// "[...]" with at least one character between the brackets; the closing bracket must be a
// character of its own, not the trail byte of a double-byte character.
bool IsBracketed(std::string_view text, std::size_t minLength) {
  return text.size() >= minLength && text.front() == '[' && GbkEndsWith(text, ']');
}

}  // namespace

bool SDOMDocSection::GetString(std::string_view key, std::string& value) const {
  value.clear();
  if (!section_) return false;
  const std::string* found = FindValue(section_->keys, key);
  if (!found) return false;
  value = *found;
  return true;
}

bool SDOMDocSection::GetInt(std::string_view key, int& value) const {
  value = 0;
  std::string text;
  if (!GetString(key, text)) return false;
  value = ReadLeadingInt(text);
  return true;
}

bool SDOMDocSection::GetBracketValue(std::string_view key, std::string& value) const {
  value.clear();
  if (!section_) return false;
  const std::string* found = FindValue(section_->brackets, key);
  if (!found) return false;
  value = *found;
  return true;
}

int ReadLeadingInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  std::uint32_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

bool SDOMDoc::Parse(const std::string& path) {
  sections_.clear();
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    Fail();
    return false;
  }
  return ParseText(*bytes);
}

bool SDOMDoc::ParseText(std::string_view text) {
  sections_.clear();
  SDOMSection* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;

    if (IsBracketed(line, 3)) {
      std::string name(line.substr(1, line.size() - 2));
      auto [it, inserted] = sections_.try_emplace(name);
      if (!inserted) {
        Fail();
        return false;
      }
      it->second.name = name;
      current = &it->second;
      continue;
    }

    const std::size_t equals = GbkFind(line, '=');
    if (equals == std::string_view::npos) continue;
    if (!current) {
      Fail();
      return false;
    }
    std::string key(TrimBlanks(line.substr(0, equals)));
    std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (IsBracketed(value, 3)) {
      current->brackets.emplace_back(std::move(key), std::string(value.substr(1, value.size() - 2)));
    } else {
      current->keys.emplace_back(std::move(key), UnescapeConfigValue(value));
    }
  }
  return true;
}

SDOMDocSection SDOMDoc::FindSection(std::string_view name) const {
  auto it = sections_.find(name);
  return SDOMDocSection(it == sections_.end() ? nullptr : &it->second, this);
}

void SDOMDoc::Fail() {
  sections_.clear();
  std::fputs("[SDOMDoc]: Parse Error.\n", stdout);
}

}  // namespace mb
