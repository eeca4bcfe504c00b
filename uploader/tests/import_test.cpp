#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winkit/winkit.h"
#include "uploader/picture_import.h"

// Imported pictures keep their names, numbered before the extension where a name is taken; a copy
// never overwrites, and the dialog's two ways of returning a selection both come apart right.
TEST(HoistlyImport, CopiesUnderFreeNamesAndNeverOverwrites) {
  winkit::TempFolder source, target;
  ASSERT_TRUE(winkit::WriteTextFile(source.Path("壁纸.jpg"), "new picture"));
  ASSERT_TRUE(winkit::WriteTextFile(source.Path("README"), "no extension"));
  ASSERT_TRUE(winkit::WriteTextFile(target.Path("壁纸.jpg"), "first"));
  ASSERT_TRUE(winkit::WriteTextFile(target.Path("壁纸(1).jpg"), "second"));
  ASSERT_TRUE(winkit::WriteTextFile(target.Path("README"), "old"));

  std::string folder = source.Path("");
  folder.pop_back();
  const std::string multiple = folder + '\0' + "壁纸.jpg" + '\0' + "README" + '\0' + '\0';
  std::string chosen;
  std::vector<std::string> paths;
  ASSERT_TRUE(hoistly::SplitDialogSelection(multiple.c_str(), chosen, paths));
  EXPECT_EQ(chosen, folder);
  ASSERT_EQ(paths.size(), 2u);

  std::string into = target.Path("");
  into.pop_back();
  const std::vector<std::string> copied = hoistly::CopyIntoFolder(paths, into);
  ASSERT_EQ(copied.size(), 2u);
  EXPECT_EQ(copied[0], target.Path("壁纸(2).jpg"));
  EXPECT_EQ(copied[1], target.Path("README(1)"));
  EXPECT_EQ(winkit::ReadTextFile(copied[0]), "new picture");
  EXPECT_EQ(winkit::ReadTextFile(target.Path("壁纸.jpg")), "first");
  EXPECT_EQ(winkit::ReadTextFile(target.Path("壁纸(1).jpg")), "second");
  EXPECT_EQ(winkit::ReadTextFile(target.Path("README")), "old");

  const std::string single = source.Path("壁纸.jpg") + '\0' + '\0';
  ASSERT_TRUE(hoistly::SplitDialogSelection(single.c_str(), chosen, paths));
  EXPECT_EQ(chosen, folder);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], source.Path("壁纸.jpg"));
}
