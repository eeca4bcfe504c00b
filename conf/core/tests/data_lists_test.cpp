#include "conf/core/data_lists.h"

#include <gtest/gtest.h>

namespace mb::conf {
namespace {

std::vector<std::string> Children(const CategoryList& list, const char* parent) {
  std::vector<std::string> names;
  list.AppendChildren(names, parent);
  return names;
}

TEST(DataLists, CategoryCascadeAndLookups) {
  CategoryList categories;
  categories.Parse("1:A:NULL\r\n2:B:A\r\n3:AB:NULL\r\n4:\t C:  AB  \r\n::5::D:::B\r\nbroken:line\r\n9:E:\r\n2:B2:A\n");
  EXPECT_EQ(Children(categories, "NULL"), (std::vector<std::string>{"A", "AB"}));
  EXPECT_EQ(Children(categories, "A"), (std::vector<std::string>{"B", "B2"}));  // exact, not "AB"'s children
  EXPECT_EQ(Children(categories, "AB"), (std::vector<std::string>{"C"}));
  EXPECT_EQ(Children(categories, "B"), (std::vector<std::string>{"D"}));
  EXPECT_EQ(categories.Records().size(), 6u);  // "broken:line" and "9:E:" lack a field
  EXPECT_EQ(categories.TypeOf("D"), 5);
  EXPECT_EQ(categories.TypeOf("C"), 4);  // blanks and tabs around a name or parent do not count
  EXPECT_EQ(categories.TypeOf("none"), 1);
  EXPECT_EQ(categories.NameOf(2), "B2");  // the last with the number
  EXPECT_EQ(categories.NameOf(7), "");
  categories.Parse("8:New:NULL\n");  // a reload keeps only the new file
  EXPECT_EQ(Children(categories, "NULL"), (std::vector<std::string>{"New"}));
}

TEST(DataLists, NamedListsAreCleanAndBounded) {
  NamedList actives(1);
  const std::string longName(300, 'n');
  // "活动" in GBK, a long line and a GBK name crossing the 127-byte cut.
  std::string gbk;
  for (int i = 0; i < 70; ++i) gbk += "\xBB\xEE";
  actives.Parse("5:\xBB\xEE\xB6\xAF\r\n6:" + longName + "\r\n7:x" + gbk + " \t\r\n8\r\n");
  ASSERT_EQ(actives.Records().size(), 3u);  // the 300-byte line is one record
  EXPECT_EQ(actives.TypeOf("\xBB\xEE\xB6\xAF"), 5);
  EXPECT_EQ(actives.TypeOf("none"), 1);
  std::vector<std::string> names;
  actives.AppendNames(names);
  EXPECT_EQ(names[0], "\xBB\xEE\xB6\xAF");  // no stray line end
  EXPECT_EQ(names[1], std::string(127, 'n'));
  EXPECT_EQ(names[2].size(), 127u);  // "x" and 63 whole characters
  EXPECT_EQ(names[2].substr(1), gbk.substr(0, 126));

  NamedList albums(0);
  albums.Add("12", "\xC4\xAC\xC8\xCF");
  albums.Add("", "no number");
  EXPECT_EQ(albums.TypeOf("\xC4\xAC\xC8\xCF"), 12);
  EXPECT_EQ(albums.TypeOf("missing"), 0);
  EXPECT_EQ(albums.NameOf(0), "no number");
  EXPECT_TRUE(albums.Contains("no number"));
  EXPECT_FALSE(albums.Contains("No number"));
  albums.Clear();
  EXPECT_FALSE(albums.Contains("no number"));
}

}  // namespace
}  // namespace mb::conf
