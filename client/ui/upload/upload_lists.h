// The upload page's two choice lists: the categories of classify.dat, in three levels, and the
// member's albums as the service lists them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conf/core/data_lists.h"

namespace mb {

// Categories of classify.dat ("id:name:parent"). A category's parent matches a name exactly;
// the top level is the parent "NULL".
class UploadCategoryList {
 public:
  void Parse(std::string_view classifyText) { list_.Parse(classifyText); }
  std::vector<std::string> TopLevel() const { return ChildrenOf("NULL"); }
  std::vector<std::string> ChildrenOf(std::string_view parent) const;
  // The number of the first category with that name; none when no category has it.
  std::optional<int> NumberOf(std::string_view name) const;

 private:
  conf::CategoryList list_;
};

struct AlbumItem {
  int number = 0;
  std::string name;
};

// The member's albums: lines "number|name" at CR LF, the name trimmed; a line without a bar or
// with an empty name gives no album.
class AlbumList {
 public:
  void Parse(std::string_view reply);
  void Add(int number, std::string_view name);
  const std::vector<AlbumItem>& Items() const { return items_; }
  bool Contains(std::string_view name) const;
  // The number of the first album of that name; 0 when there is none.
  int NumberOf(std::string_view name) const;

 private:
  std::vector<AlbumItem> items_;
};

}  // namespace mb
