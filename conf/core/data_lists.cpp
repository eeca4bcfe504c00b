#include "conf/core/data_lists.h"

#include <algorithm>

#include "common/gbk_text.h"
#include "common/sdom_doc.h"

namespace mb::conf {
namespace {

// A trailing run of blanks, tabs and line ends taken off.
std::string_view TrimLineEnd(std::string_view text) {
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// A stored name or parent: without blanks, tabs and line ends at either end, so that every
// lookup compares the trimmed text and the lists hand out names without line ends.
std::string FitName(std::string_view name) {
  name = TrimLineEnd(name);
  name.remove_prefix(std::min(name.size(), name.find_first_not_of(" \t")));
  return std::string(name.substr(0, GbkCutLength(name, kMaxListNameBytes)));
}

// The fields of one line: split at ':' with a run of colons as one separator, empty fields
// dropped, the last field without its line end.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t colon = GbkFind(line, ':', start);
    if (colon == std::string_view::npos) colon = line.size();
    if (colon > start) fields.push_back(line.substr(start, colon - start));
    start = colon + 1;
  }
  if (!fields.empty()) {
    fields.back() = TrimLineEnd(fields.back());
    if (fields.back().empty()) fields.pop_back();
  }
  return fields;
}

template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    onLine(SplitFields(text.substr(start, end - start)));
    start = end + 1;
  }
}

}  // namespace

void CategoryList::Parse(std::string_view text) {
  records_.clear();
  ForEachLine(text, [this](const std::vector<std::string_view>& fields) {
    if (fields.size() < 3) return;
    records_.push_back({FitName(fields[2]), ReadLeadingInt(fields[0]), FitName(fields[1])});
  });
}

void CategoryList::AppendChildren(std::vector<std::string>& names, std::string_view parentName) const {
  for (const CategoryRecord& record : records_) {
    if (record.parent == parentName) names.push_back(record.name);
  }
}

std::string CategoryList::NameOf(int id) const {
  std::string name;
  for (const CategoryRecord& record : records_) {
    if (record.id == id) name = record.name;
  }
  return name;
}

int CategoryList::TypeOf(std::string_view name) const {
  for (const CategoryRecord& record : records_) {
    if (record.name == name) return record.id;
  }
  return 1;
}

void NamedList::Parse(std::string_view text) {
  records_.clear();
  ForEachLine(text, [this](const std::vector<std::string_view>& fields) {
    if (fields.size() < 2) return;
    records_.push_back({ReadLeadingInt(fields[0]), FitName(fields[1])});
  });
}

void NamedList::Add(std::string_view numberText, std::string_view name) {
  records_.push_back({ReadLeadingInt(numberText), FitName(name)});
}

void NamedList::AppendNames(std::vector<std::string>& names) const {
  for (const NamedRecord& record : records_) names.push_back(record.name);
}

int NamedList::TypeOf(std::string_view name) const {
  for (const NamedRecord& record : records_) {
    if (record.name == name) return record.id;
  }
  return missingType_;
}

std::string NamedList::NameOf(int id) const {
  for (const NamedRecord& record : records_) {
    if (record.id == id) return record.name;
  }
  return std::string();
}

bool NamedList::Contains(std::string_view name) const {
  for (const NamedRecord& record : records_) {
    if (record.name == name) return true;
  }
  return false;
}

}  // namespace mb::conf
