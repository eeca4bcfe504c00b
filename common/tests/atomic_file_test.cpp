#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tests/temp_folder.h"

namespace mb {
namespace {

TEST(AtomicFile, ReplacesWholeFileAndLeavesNoTemporary) {
  TempFolder folder;
  const std::string path = folder.Path("conf.dat");
  ASSERT_TRUE(WriteFileReplacing(path, "first version, longer than the second"));
  ASSERT_TRUE(WriteFileReplacing(path, "second"));
  EXPECT_EQ(ReadWholeFile(path).value_or(""), "second");
  EXPECT_FALSE(FileExists(path + ".new"));
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Path("missing-folder/conf.dat");
  EXPECT_FALSE(WriteFileReplacing(path, "x"));
  EXPECT_FALSE(ReadWholeFile(path).has_value());
}

TEST(AtomicFile, UnreadableFileIsKeptAside) {
  TempFolder folder;
  const std::string path = folder.Path("conf.dat");
  ASSERT_TRUE(WriteFileReplacing(path, "garbage"));
  ASSERT_TRUE(KeepAsideUnreadable(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(ReadWholeFile(path + ".bad").value_or(""), "garbage");
  EXPECT_FALSE(KeepAsideUnreadable(path));  // nothing left to keep
}

}  // namespace
}  // namespace mb
