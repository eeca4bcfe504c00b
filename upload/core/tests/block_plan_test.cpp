#include <gtest/gtest.h>

#include <vector>

#include "upload/core/block_plan.h"
#include "upload/core/remote_name.h"

namespace mb::upload {
namespace {

std::vector<BlockSpan> Cut(std::uint32_t size) {
  PictureCursor cursor(size);
  std::vector<BlockSpan> blocks;
  while (auto block = cursor.NextBlock()) blocks.push_back(*block);
  EXPECT_TRUE(cursor.IsFinished());
  return blocks;
}

TEST(BlockPlan, SmallFilesTakeNoBlockOrOne) {
  EXPECT_TRUE(Cut(0).empty());
  EXPECT_TRUE(Cut(1).empty());
  EXPECT_EQ(Cut(2), (std::vector<BlockSpan>{{0, 2}}));
  EXPECT_EQ(Cut(6144), (std::vector<BlockSpan>{{0, 6144}}));
}

TEST(BlockPlan, LaterBlocksBeginOnTheLastByteOfThePreviousOne) {
  EXPECT_EQ(Cut(6145), (std::vector<BlockSpan>{{0, 6144}, {6143, 2}}));
  EXPECT_EQ(Cut(10000), (std::vector<BlockSpan>{{0, 6144}, {6143, 3857}}));
  EXPECT_EQ(Cut(12288), (std::vector<BlockSpan>{{0, 6144}, {6143, 6144}, {12286, 2}}));
}

TEST(BlockPlan, BlocksCoverTheFileExactlyAndMatchTheCountFormula) {
  for (std::uint32_t size : {2u, 3u, 6143u, 6144u, 6145u, 6146u, 12286u, 12287u, 12288u, 12289u, 100000u,
                             2097152u, 5u * 1048576u + 17u}) {
    const std::vector<BlockSpan> blocks = Cut(size);
    EXPECT_EQ(blocks.size(), EngineBlockCount(size)) << size;
    std::uint64_t covered = 0;
    for (const BlockSpan& block : blocks) {
      ASSERT_LE(block.offset, covered) << size;  // no gap
      ASSERT_GE(block.length, 1u);
      ASSERT_LE(block.length, 6144u);
      covered = std::max<std::uint64_t>(covered, std::uint64_t{block.offset} + block.length);
    }
    EXPECT_EQ(covered, size);
  }
  EXPECT_EQ(EngineBlockCount(0), 0u);
  EXPECT_EQ(EngineBlockCount(1), 0u);
  EXPECT_EQ(EngineBlockCount(6144 + 6143), 2u);
  EXPECT_EQ(EngineBlockCount(6144 + 6144), 3u);
}

TEST(RemoteName, FoldersAndNameComeFromOneStamp) {
  UploadStamp stamp{2024, 3, 5, 9, 7, 4, 123456};
  EXPECT_EQ(DateFolder(stamp), "2024-3-5");
  EXPECT_EQ(MinuteFolder(stamp), "7");
  EXPECT_EQ(StoreHead("2024-3-5", "7"), "2024-3-5\\\\7");
  EXPECT_EQ(RemoteFileName("ann.lee", stamp, ".jpg"), "annlee202435974123456.jpg");
  stamp.tick = 0x80000000u;  // past 24.8 days of uptime the tick reads negative
  EXPECT_EQ(RemoteFileName("a", stamp, ".gif"), "a202435974-2147483648.gif");
}

TEST(RemoteName, PicturesSetUpWithinOneTickStillGetTheirOwnTick) {
  DistinctTicks ticks;
  EXPECT_EQ(ticks.Next(5000), 5000u);
  EXPECT_EQ(ticks.Next(5000), 5001u);  // the clock has not moved on
  EXPECT_EQ(ticks.Next(5000), 5002u);
  EXPECT_EQ(ticks.Next(4990), 5003u);  // nor does it go back
  EXPECT_EQ(ticks.Next(6000), 6000u);  // later readings are taken as they are
  // Across the clock's wrap the numbers go on rising.
  DistinctTicks wrapping;
  EXPECT_EQ(wrapping.Next(0xFFFFFFFFu), 0xFFFFFFFFu);
  EXPECT_EQ(wrapping.Next(0xFFFFFFFFu), 0u);
  EXPECT_EQ(wrapping.Next(3), 3u);
}

TEST(RemoteName, ExtensionComesFromTheFileNameOnly) {
  EXPECT_EQ(FileExtension("C:\\pics\\sea.view.JPG"), ".JPG");
  EXPECT_EQ(FileExtension("C:\\my.pics\\sea"), "");
  EXPECT_EQ(FileExtension("/tmp/a.b/c"), "");
  // The second byte of this character is a backslash; it is not a separator.
  EXPECT_EQ(FileNameOf("C:\\dir\\\x81\x5c" "a.b"), "\x81\x5c" "a.b");
  EXPECT_EQ(FileExtension("C:\\x.y\\\x81\x5c" "name"), "");
  EXPECT_EQ(UserWithoutDots("\xD5\xC5.san.."), "\xD5\xC5san");
}

}  // namespace
}  // namespace mb::upload
