#include "client/core/command_line.h"

#include <gtest/gtest.h>

#include "common/version_text.h"

namespace mb {
namespace {

TEST(CommandLine, QueuesProductLinksExactlyAsReceived) {
  PendingLinkQueue queue;
  ParseCommandLine("\"muralbox://pic/1.jpg\"", queue);
  ParseCommandLine("MURALBOX://X", queue);
  ParseCommandLine("  \"muralbox://after-blanks\"", queue);
  ASSERT_EQ(queue.Size(), 3u);
  EXPECT_EQ(queue.Pop(), "\"muralbox://pic/1.jpg\"");
  EXPECT_EQ(queue.Pop(), "MURALBOX://X");
  EXPECT_EQ(queue.Pop(), "  \"muralbox://after-blanks\"");
  EXPECT_EQ(queue.Pop(), "");
}

TEST(CommandLine, IgnoresEverythingElse) {
  PendingLinkQueue queue;
  for (const char* text : {"", "\"", "\"\"", "muralbox://", "\"muralbox://\"", "http://muralbox://x",
                           "muralbox:/x", "-embedding", "\xB1\xED\xB1\xED"}) {
    ParseCommandLine(text, queue);
  }
  EXPECT_TRUE(queue.Empty());
  // Any length is handled.
  ParseCommandLine(std::string(100000, 'a'), queue);
  ParseCommandLine("muralbox://" + std::string(100000, '\xB1'), queue);
  EXPECT_EQ(queue.Size(), 1u);
}

TEST(VersionText, ComparesComponentsAsNumbers) {
  EXPECT_TRUE(CompareVersionText("2.0.0.0", "1.9.9.9"));
  EXPECT_FALSE(CompareVersionText("1.2.3.4", "1.2.3.4"));
  EXPECT_TRUE(CompareVersionText("1.10", "1.9"));
  EXPECT_FALSE(CompareVersionText("1.2", "1.2.0.0"));
  EXPECT_TRUE(CompareVersionText("1.2.0.1", "1.2"));
  EXPECT_FALSE(CompareVersionText("1.2", "1.2.0.1"));
  EXPECT_FALSE(CompareVersionText("", ""));
  EXPECT_TRUE(CompareVersionText("3abc", "2.99"));
}

TEST(VersionText, FormatsBothWordsAsFourNumbers) {
  EXPECT_EQ(FormatFileVersion(0x00020001u, 0x0003FFFFu), "2.1.3.65535");
}

}  // namespace
}  // namespace mb
