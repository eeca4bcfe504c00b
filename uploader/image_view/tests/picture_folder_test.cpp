// Which names the picture pane lists, and which folders and names may become a path.
#include <gtest/gtest.h>

#include <string>

#include "uploader/image_view/picture_folder.h"

namespace hoistly {
namespace {

TEST(PictureFolder, ListsPictureNamesByTheirLastExtensionInAnyCase) {
  for (const char* name : {"a.jpg", "B.JPEG", "c.Gif", "d.bmp", "e.png.jpg", "\x95\x5c.jpg"}) {
    EXPECT_TRUE(IsPictureFileName(name)) << name;
  }
  for (const char* name : {"a.png", "a.jpg.txt", "jpg", "a.jp", "a.", ""}) {
    EXPECT_FALSE(IsPictureFileName(name)) << name;
  }
}

TEST(PictureFolder, FolderMustBeAbsoluteWithoutWildcardsAndLeaveRoomForAName) {
  for (const char* folder : {"C:\\", "C:\\pics", "d:\\pics\\", "\\\\server\\share\\pics", "C:\\\x95\x5c"}) {
    EXPECT_TRUE(IsUsableFolder(folder)) << folder;
  }
  for (const char* folder : {"", "pics", "C:pics", "\\pics", "\\\\\\x", "C:\\p*", "C:\\p?", "C:\\a:b"}) {
    EXPECT_FALSE(IsUsableFolder(folder)) << folder;
  }
  EXPECT_TRUE(IsUsableFolder("C:\\" + std::string(250, 'f')));
  EXPECT_FALSE(IsUsableFolder("C:\\" + std::string(251, 'f')));
  EXPECT_EQ(FolderWithSeparator("C:\\"), "C:\\");
  EXPECT_EQ(FolderWithSeparator("C:\\a\\\\"), "C:\\a\\");
  EXPECT_EQ(FolderWithSeparator("C:\\\x95\x5c"), "C:\\\x95\x5c\\");  // a trail byte is no separator
}

TEST(PictureFolder, NameBecomesAPathOnlyWhenItIsOneNameAndTheWholePathFitsItsField) {
  EXPECT_EQ(JoinPicturePath("C:\\pics", "a.jpg"), "C:\\pics\\a.jpg");
  EXPECT_EQ(JoinPicturePath("C:\\pics\\", "\x95\x5c.jpg"), "C:\\pics\\\x95\x5c.jpg");
  for (const char* name : {"", ".", "..", "a\\b.jpg", "a/b.jpg", "c:a.jpg", "a*.jpg", "a?.jpg"}) {
    EXPECT_FALSE(JoinPicturePath("C:\\pics", name)) << name;
  }
  const std::string folder = "C:\\" + std::string(240, 'f') + "\\";  // 244 bytes
  EXPECT_EQ(JoinPicturePath(folder, std::string(11, 'n') + ".jpg")->size(), 259u);
  EXPECT_FALSE(JoinPicturePath(folder, std::string(12, 'n') + ".jpg"));
}

}  // namespace
}  // namespace hoistly
