// SDOMDoc: reader of the sectioned key=value text files the programs keep their settings in.
//
//   [SECTION]
//   key = value          blanks and tabs round key and value are dropped
//   list=[a,b]           a value in square brackets goes to the section's bracket list
//
// Lines starting with '#' or ';' are comments. A duplicate section or a key line before the
// first section makes the whole file unreadable.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mb {

class SDOMDoc;

struct SDOMSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;
  std::vector<std::pair<std::string, std::string>> brackets;
};

// A found section, or none. Look-ups on none find nothing.
class SDOMDocSection {
 public:
  SDOMDocSection(const SDOMSection* section, const SDOMDoc* doc) : section_(section), doc_(doc) {}

  bool IsValid() const { return section_ != nullptr; }
  const SDOMDoc* Document() const { return doc_; }

  // Value of the first pair whose key equals key exactly.
  bool GetString(std::string_view key, std::string& value) const;
  // Leading-digits decimal reading, wrapped to 32 bits (so 4294967295 reads as -1).
  bool GetInt(std::string_view key, int& value) const;
  // Value of a bracketed entry, without its brackets.
  bool GetBracketValue(std::string_view key, std::string& value) const;

 private:
  const SDOMSection* section_;
  const SDOMDoc* doc_;
};

class SDOMDoc {
 public:
  SDOMDoc() = default;

  // Reads the whole file; false (and an empty document) when it cannot be read or is malformed.
  bool Parse(const std::string& path);
  // The same for text already in memory.
  bool ParseText(std::string_view text);

  SDOMDocSection FindSection(std::string_view name) const;
  bool Empty() const { return sections_.empty(); }

 private:
  void Fail();

  std::map<std::string, SDOMSection, std::less<>> sections_;
};

// Leading-digits decimal conversion as the files expect: optional blanks and sign, digits up to
// the first non-digit, wrapped to 32 bits without an overflow check.
int ReadLeadingInt(std::string_view text);

}  // namespace mb
