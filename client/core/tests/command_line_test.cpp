#include "client/core/command_line.h"

#include <gtest/gtest.h>

#include "client/core/wallpaper_link.h"
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

TEST(WallpaperLink, BecomesAnHttpAddressOnlyWhenItCannotCarryArguments) {
  EXPECT_EQ(WallpaperLinkAddress("\"MURALBOX://Host:8080/Pics/Sky.JPG?a=B\""), "http://Host:8080/Pics/Sky.JPG?a=B");
  EXPECT_EQ(WallpaperLinkAddress("muralbox://x"), "http://x");
  EXPECT_EQ(WallpaperLinkAddress("\"muralbox://x"), "http://x");
  EXPECT_EQ(WallpaperLinkAddress("  MuralBox://\xB1\xED/1.jpg\""), "http://\xB1\xED/1.jpg");
  // Not links: empty, a lone quote, the prefix alone (quoted or not), a near miss.
  for (const char* text : {"", "\"", "\"\"", "muralbox://", "\"muralbox://\"", "muralbox:/x", "http://x"}) {
    EXPECT_EQ(WallpaperLinkAddress(text), "") << text;
  }
  // A link cut short by a quote of its own, or with blanks or control characters in it, would
  // hand the rest of the command line on as arguments.
  for (const char* text : {"\"muralbox://h/a.jpg\" -update \"x\"", "muralbox://h/a.jpg\"\"", "muralbox://h/a b.jpg",
                           "muralbox://h/a.jpg\t/s", "muralbox://h/\r\n"}) {
    EXPECT_EQ(WallpaperLinkAddress(text), "") << text;
    PendingLinkQueue queue;
    ParseCommandLine(text, queue);
    EXPECT_TRUE(queue.Empty()) << text;
  }
}

TEST(WallpaperLink, FileNameIsTheCleanedLastSegment) {
  EXPECT_EQ(LinkDownloadFileName("http://h/a/sky.jpg?w=1#top"), "sky.jpg");
  EXPECT_EQ(LinkDownloadFileName("http://h/a/b:c*d|e.jpg"), "b_c_d_e.jpg");
  // The second byte of a double-byte character stays, even where it looks like a separator.
  EXPECT_EQ(LinkDownloadFileName("http://h/\xB1\x7C\xD6\xBD.jpg"), "\xB1\x7C\xD6\xBD.jpg");
  for (const char* address : {"http://h/", "http://h/dir/?q=1", "http://h/..", "http://h/CON.jpg", "http://h/..."}) {
    EXPECT_EQ(LinkDownloadFileName(address), "wallpaper.jpg") << address;
  }
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
