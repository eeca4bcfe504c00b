// The data lists the uploader labels pictures with: categories (classify.dat, "id:name:parent"),
// actives and themes (actives.dat, themes.dat, "id:name") and the member's albums (from the
// service). Fields are split at ':' (a run of colons is one separator); names and parents are
// kept without blanks, tabs and line ends at either end (the lookups compare them trimmed); a
// line is read whole however long it is; names are cut to 127 bytes at a character boundary.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb::conf {

constexpr std::size_t kMaxListNameBytes = 127;

struct CategoryRecord {
  std::string parent;  // "NULL" for a top-level category
  int id = 0;
  std::string name;
};

struct NamedRecord {
  int id = 0;
  std::string name;
};

class CategoryList {
 public:
  // Replaces the list with the categories of the text; lines with fewer than three fields are
  // skipped.
  void Parse(std::string_view text);
  void Clear() { records_.clear(); }
  const std::vector<CategoryRecord>& Records() const { return records_; }

  // Names of the categories whose parent is exactly parentName ("NULL": the top level).
  void AppendChildren(std::vector<std::string>& names, std::string_view parentName) const;
  // Name of the last category with that number, or empty.
  std::string NameOf(int id) const;
  // Number of the first category with that name, or 1.
  int TypeOf(std::string_view name) const;

 private:
  std::vector<CategoryRecord> records_;
};

// Actives, themes and albums: the same record kind, a different default number.
class NamedList {
 public:
  explicit NamedList(int missingType) : missingType_(missingType) {}
  // Replaces the list with the records of the text; lines with fewer than two fields are skipped.
  void Parse(std::string_view text);
  // Appends one record: the number is the leading-digits reading of numberText.
  void Add(std::string_view numberText, std::string_view name);
  void Clear() { records_.clear(); }
  const std::vector<NamedRecord>& Records() const { return records_; }

  void AppendNames(std::vector<std::string>& names) const;
  // Number of the first record with that name, or the list's default.
  int TypeOf(std::string_view name) const;
  // Name of the first record with that number, or empty.
  std::string NameOf(int id) const;
  bool Contains(std::string_view name) const;

 private:
  int missingType_;
  std::vector<NamedRecord> records_;
};

}  // namespace mb::conf
