// The workers' reader of the pictures they send: a worker gets its block's bytes from the file,
// whichever windows the reader keeps at that moment.
#include "upload/win/picture_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/winkit/winkit.h"

namespace mb::upload {
namespace {

std::string Pattern(std::size_t size, char seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 31 + i / 251);
  return bytes;
}

// Windows of three later pictures are kept when a slow worker reads a block of an earlier one
// (tiny pictures and six workers): its window is the first the reader would let go, and the worker
// must still get its bytes.
TEST(PictureReader, ABlockOfAnEarlierPictureReadsWhileLaterPicturesFillTheWindowsKept) {
  winkit::TempFolder folder;
  std::string contents[5];
  for (int job = 0; job < 5; ++job) {
    contents[job] = Pattern(10000, static_cast<char>('a' + job));
    ASSERT_TRUE(winkit::WriteTextFile(folder.Path("p" + std::to_string(job) + ".jpg"), contents[job]));
  }
  PictureReader reader;
  std::string bytes;
  for (std::size_t job : {2, 3, 4, 1, 0}) {
    SCOPED_TRACE(job);
    ASSERT_TRUE(reader.Read(job, folder.Path("p" + std::to_string(job) + ".jpg"), 3855, 6145, bytes));
    EXPECT_EQ(bytes, contents[job].substr(3855));
  }
  // Past the file's end nothing is made up.
  EXPECT_FALSE(reader.Read(1, folder.Path("p1.jpg"), 9000, 6144, bytes));
  reader.Stop();
}

}  // namespace
}  // namespace mb::upload
