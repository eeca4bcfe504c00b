#include "client/core/client_data_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

DownloadRecord SampleRecord(const std::string& path) {
  DownloadRecord record;
  record.localPath = path;
  record.category = "\xB7\xE7\xBE\xB0";  // 风景
  record.f2 = "1024x768";
  record.f3 = "42";
  record.f4 = "author";
  record.f5 = "note";
  return record;
}

void ExpectSameRecord(const DownloadRecord& a, const DownloadRecord& b) {
  EXPECT_EQ(a.localPath, b.localPath);
  EXPECT_EQ(a.category, b.category);
  EXPECT_EQ(a.f2, b.f2);
  EXPECT_EQ(a.f3, b.f3);
  EXPECT_EQ(a.f4, b.f4);
  EXPECT_EQ(a.f5, b.f5);
}

TEST(DownloadRecord, FieldsSitAtTheirOffsetsInAZeroedRecord) {
  const std::string bytes = SerializeDownloadRecord(SampleRecord("C:\\wallpaper\\a.jpg"));
  ASSERT_EQ(bytes.size(), kDownloadRecordSize);
  EXPECT_EQ(bytes.substr(0, 19), std::string("C:\\wallpaper\\a.jpg\0", 19));
  EXPECT_EQ(bytes.substr(260, 9), std::string("1024x768\0", 9));
  EXPECT_EQ(bytes.substr(302, 7), std::string("author\0", 7));
  EXPECT_EQ(bytes.substr(334, 3), std::string("42\0", 3));
  EXPECT_EQ(bytes.substr(346, 5), std::string("\xB7\xE7\xBE\xB0\0", 5));
  EXPECT_EQ(bytes.substr(378, 5), std::string("note\0", 5));
  EXPECT_EQ(bytes.find_first_not_of('\0', 383), std::string::npos);
  EXPECT_EQ(bytes.find_first_not_of('\0', 19), 260u);
  ExpectSameRecord(ParseDownloadRecord(bytes), SampleRecord("C:\\wallpaper\\a.jpg"));
}

TEST(DownloadRecord, LongTextsAreCutAtACharacterBoundary) {
  DownloadRecord record;
  record.f3 = "\xB7\xE7\xBE\xB0\xB7\xE7\xBE\xB0\xB7\xE7\xBE\xB0";  // six characters, 12 bytes
  record.localPath = std::string(300, 'p');
  const DownloadRecord back = ParseDownloadRecord(SerializeDownloadRecord(record));
  EXPECT_EQ(back.f3, "\xB7\xE7\xBE\xB0\xB7\xE7\xBE\xB0\xB7\xE7");  // 10 bytes, not 11
  EXPECT_EQ(back.localPath, std::string(259, 'p'));
  EXPECT_EQ(back.category, "");
}

TEST(DownloadInfo, ReadsWholeRecordsAndDropsAPartialOne) {
  const std::string two =
      SerializeDownloadRecord(SampleRecord("a")) + SerializeDownloadRecord(SampleRecord("b"));
  ASSERT_EQ(two.size(), 848u);
  EXPECT_EQ(ParseDownloadInfo(two).size(), 2u);
  const std::vector<DownloadRecord> one = ParseDownloadInfo(std::string_view(two).substr(0, 500));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].localPath, "a");
  EXPECT_TRUE(ParseDownloadInfo("").empty());
  // A field that fills its whole width without a terminating zero ends at the field.
  EXPECT_EQ(ParseDownloadRecord(std::string(kDownloadRecordSize, 'z')).f3, std::string(12, 'z'));
}

TEST(DownloadInfo, LoadsAndAppendsThroughTheFile) {
  TempFolder folder;
  const std::string path = folder.Path("downloadinfo.res");
  std::vector<DownloadRecord> records{SampleRecord("stale")};
  EXPECT_FALSE(LoadDownloadInfo(path, records));
  EXPECT_TRUE(records.empty());

  ASSERT_TRUE(AppendDownloadInfo(path, SampleRecord("first")));
  ASSERT_TRUE(AppendDownloadInfo(path, SampleRecord("second")));
  EXPECT_EQ(ReadWholeFile(path).value_or("").size(), 848u);
  ASSERT_TRUE(LoadDownloadInfo(path, records));
  ASSERT_EQ(records.size(), 2u);
  ExpectSameRecord(records[1], SampleRecord("second"));
}

TEST(DownloadInfo, AppendAfterATornRecordKeepsRecordsAligned) {
  TempFolder folder;
  const std::string path = folder.Path("downloadinfo.res");
  const std::string torn = SerializeDownloadRecord(SampleRecord("first")) + std::string(100, 'x');
  ASSERT_TRUE(WriteFileReplacing(path, torn));
  ASSERT_TRUE(AppendDownloadInfo(path, SampleRecord("second")));

  std::vector<DownloadRecord> records;
  ASSERT_TRUE(LoadDownloadInfo(path, records));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].localPath, "first");
  EXPECT_EQ(records[1].localPath, "second");
  EXPECT_EQ(ReadWholeFile(path + ".bad").value_or(""), torn);
}

TEST(DownloadInfo, AppendFailsWithoutHarmWhenTheFileCannotBeRead) {
  TempFolder folder;
  const std::string path = folder.Path("downloadinfo.res");
  std::filesystem::create_directory(path);  // exists, but no file to read
  EXPECT_FALSE(AppendDownloadInfo(path, SampleRecord("x")));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(AppendDownloadInfo(folder.Path("missing/downloadinfo.res"), SampleRecord("x")));
}

TEST(WallpaperList, KeepsNonEmptyLinesInOrder) {
  const std::vector<std::string> expected{"C:\\a.jpg", "D:\\\xB1\xDA\\b.png", "c.bmp"};
  EXPECT_EQ(ParseWallpaperList("C:\\a.jpg\r\n\r\n\nD:\\\xB1\xDA\\b.png\n\r\nc.bmp"), expected);
  EXPECT_EQ(ParseWallpaperList(std::string("\0hidden\n\r\0x\nc.bmp\r\r\n", 20)),
            std::vector<std::string>{"c.bmp"});
  EXPECT_TRUE(ParseWallpaperList("").empty());
  EXPECT_TRUE(ParseWallpaperList("\n\r\n\r\r\n").empty());
}

TEST(WallpaperList, SavesOnePathPerLineAndLoadsItBack) {
  TempFolder folder;
  const std::string path = folder.Path("wallpaper.dat");
  std::vector<std::string> list{"stale"};
  EXPECT_FALSE(LoadWallpaperList(path, list));
  EXPECT_TRUE(list.empty());

  const std::vector<std::string> saved{"C:\\a.jpg", "D:\\\xB1\xDA\\b.png"};
  ASSERT_TRUE(SaveWallpaperList(path, saved));
  EXPECT_EQ(ReadWholeFile(path).value_or(""), "C:\\a.jpg\nD:\\\xB1\xDA\\b.png\n");
  ASSERT_TRUE(LoadWallpaperList(path, list));
  EXPECT_EQ(list, saved);

  ASSERT_TRUE(SaveWallpaperList(path, {}));
  EXPECT_EQ(ReadWholeFile(path).value_or("x"), "");
  EXPECT_FALSE(SaveWallpaperList(folder.Path("missing/wallpaper.dat"), saved));
}

}  // namespace
}  // namespace mb
