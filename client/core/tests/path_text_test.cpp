#include "client/core/path_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mb {
namespace {

// GBK characters whose trail byte is '\\' (0x5C): "誠" and "盶".
const std::string kTrailBackslash1 = "\xD5\x5C";
const std::string kTrailBackslash2 = "\xB1\x5C";

TEST(FileNamePart, TakesTheTextAfterTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(GetFileNamePart("C:\\pics\\lake.jpg"), "lake.jpg");
  EXPECT_EQ(GetFileNamePart("http://host/a/b/lake.png"), "lake.png");
  EXPECT_EQ(GetFileNamePart("C:\\pics/mixed\\last.bmp"), "last.bmp");
  EXPECT_EQ(GetFileNamePart("C:\\pics\\"), "");
  EXPECT_EQ(GetFileNamePart("plain.gif"), "plain.gif");
  EXPECT_EQ(GetFileNamePart(""), "");
  // A trail byte 0x5C is part of the name, not a separator.
  EXPECT_EQ(GetFileNamePart("C:\\" + kTrailBackslash1 + "x.jpg"), kTrailBackslash1 + "x.jpg");
  EXPECT_EQ(GetFileNamePart("C:\\dir\\" + kTrailBackslash2), kTrailBackslash2);
}

TEST(SplitPath, GivesFolderWithItsBackslashBaseNameAndExtension) {
  PathParts parts = SplitPath("C:\\pics\\lake.view.JPG");
  EXPECT_EQ(parts.folder, "C:\\pics\\");
  EXPECT_EQ(parts.baseName, "lake.view");
  EXPECT_EQ(parts.extension, "JPG");

  parts = SplitPath("C:\\a.b\\noext");
  EXPECT_EQ(parts.folder, "C:\\a.b\\");
  EXPECT_EQ(parts.baseName, "noext");
  EXPECT_EQ(parts.extension, "");

  parts = SplitPath("name.png");
  EXPECT_EQ(parts.folder, "");
  EXPECT_EQ(parts.baseName, "name");
  EXPECT_EQ(parts.extension, "png");

  parts = SplitPath("D:\\" + kTrailBackslash1 + "\\" + kTrailBackslash2 + ".gif");
  EXPECT_EQ(parts.folder, "D:\\" + kTrailBackslash1 + "\\");
  EXPECT_EQ(parts.baseName, kTrailBackslash2);
  EXPECT_EQ(parts.extension, "gif");
}

TEST(PictureNames, AcceptTheFivePictureExtensionsInAnyCaseOnly) {
  for (const char* name : {"a.gif", "a.jpg", "a.jpeg", "a.png", "a.bmp", "A.JPG", "x\\y.Png", "a.b.JpEg"}) {
    EXPECT_TRUE(IsPictureFileName(name)) << name;
  }
  for (const char* name : {"jpg", "a.jpgx", "a.tif", "a.", "", "C:\\pics.jpg\\readme", "a.jp g"}) {
    EXPECT_FALSE(IsPictureFileName(name)) << name;
  }
}

TEST(PictureNames, MapToTheImageLibrarysFormatCodes) {
  EXPECT_EQ(ImageFormatFromExtension("x.bmp"), kImageFormatBmp);
  EXPECT_EQ(ImageFormatFromExtension("x.GIF"), kImageFormatGif);
  EXPECT_EQ(ImageFormatFromExtension("x.jpg"), kImageFormatJpeg);
  EXPECT_EQ(ImageFormatFromExtension("C:\\d\\x.JPEG"), kImageFormatJpeg);
  EXPECT_EQ(ImageFormatFromExtension("x.png"), kImageFormatPng);
  EXPECT_EQ(ImageFormatFromExtension("x.tiff"), kImageFormatUnknown);
  EXPECT_EQ(ImageFormatFromExtension("png"), kImageFormatUnknown);
  EXPECT_EQ(ImageFormatFromExtension(""), kImageFormatUnknown);
}

TEST(FolderPaths, SearchPatternAddsOneBackslashOnlyWhenMissing) {
  EXPECT_EQ(FolderSearchPattern("C:\\pics"), "C:\\pics\\*.*");
  EXPECT_EQ(FolderSearchPattern("C:\\pics\\"), "C:\\pics\\*.*");
  // The folder ends in a double-byte character whose trail byte is 0x5C: a backslash is needed.
  EXPECT_EQ(FolderSearchPattern("C:\\" + kTrailBackslash1), "C:\\" + kTrailBackslash1 + "\\*.*");
}

TEST(FolderPaths, ChainListsEveryFolderFromTheLeft) {
  EXPECT_EQ(FolderChain("C:\\a\\b\\c"), (std::vector<std::string>{"C:", "C:\\a", "C:\\a\\b", "C:\\a\\b\\c"}));
  EXPECT_EQ(FolderChain("C:\\a\\b\\"), (std::vector<std::string>{"C:", "C:\\a", "C:\\a\\b"}));
  EXPECT_EQ(FolderChain("single"), (std::vector<std::string>{"single"}));
  EXPECT_TRUE(FolderChain("").empty());
  const std::string gbk = "C:\\" + kTrailBackslash1 + "\\" + kTrailBackslash2 + "x";
  EXPECT_EQ(FolderChain(gbk),
            (std::vector<std::string>{"C:", "C:\\" + kTrailBackslash1, gbk}));
}

TEST(FolderPaths, FallbackCommonFilesFolderIsOnTheWindowsDrive) {
  EXPECT_EQ(FallbackCommonFilesFolder("C:\\WINDOWS"), "C:\\Program Files\\Common Files");
  EXPECT_EQ(FallbackCommonFilesFolder("D:\\WINNT\\"), "D:\\Program Files\\Common Files");
  EXPECT_EQ(FallbackCommonFilesFolder("E:"), "E:\\Program Files\\Common Files");
}

TEST(FolderPaths, CountedFilesLeaveOutFoldersHiddenEntriesAndThumbnailCache) {
  EXPECT_TRUE(IsCountedFolderFile("lake.jpg", false, false));
  EXPECT_TRUE(IsCountedFolderFile("Thumbs.db.bak", false, false));
  EXPECT_FALSE(IsCountedFolderFile(".", true, false));
  EXPECT_FALSE(IsCountedFolderFile("..", true, false));
  EXPECT_FALSE(IsCountedFolderFile("sub", true, false));
  EXPECT_FALSE(IsCountedFolderFile("secret.jpg", false, true));
  EXPECT_FALSE(IsCountedFolderFile("Thumbs.db", false, false));
  EXPECT_FALSE(IsCountedFolderFile("THUMBS.DB", false, false));
}

}  // namespace
}  // namespace mb
