#include "client/ui/upload/upload_lists.h"

#include "common/gbk_text.h"
#include "common/sdom_doc.h"

namespace mb {

std::vector<std::string> UploadCategoryList::ChildrenOf(std::string_view parent) const {
  std::vector<std::string> names;
  list_.AppendChildren(names, parent);
  return names;
}

std::optional<int> UploadCategoryList::NumberOf(std::string_view name) const {
  for (const conf::CategoryRecord& record : list_.Records()) {
    if (record.name == name) return record.id;
  }
  return std::nullopt;
}

void AlbumList::Parse(std::string_view reply) {
  items_.clear();
  for (const std::string& line : GbkSplit(reply, "\r\n")) {
    const std::size_t bar = GbkFind(line, '|');
    if (bar == std::string::npos) continue;
    Add(ReadLeadingInt(std::string_view(line).substr(0, bar)), std::string_view(line).substr(bar + 1));
  }
}

void AlbumList::Add(int number, std::string_view name) {
  name = TrimBlanks(name);
  if (name.empty()) return;
  name = name.substr(0, GbkCutLength(name, conf::kMaxListNameBytes));
  items_.push_back({number, std::string(name)});
}

bool AlbumList::Contains(std::string_view name) const {
  for (const AlbumItem& item : items_) {
    if (item.name == name) return true;
  }
  return false;
}

int AlbumList::NumberOf(std::string_view name) const {
  for (const AlbumItem& item : items_) {
    if (item.name == name) return item.number;
  }
  return 0;
}

}  // namespace mb
