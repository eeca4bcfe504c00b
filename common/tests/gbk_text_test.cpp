#include "common/gbk_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mb {
namespace {

// "表" is 0xB1 0xED; "\x95\x5C" is a character whose trail byte is a backslash, "\x81\x5D" one
// whose trail byte is ']' and "\x81\x61" one whose trail byte is the letter 'a'.
const std::string kBackslashTrail = "\x95\x5C";
const std::string kBracketTrail = "\x81\x5D";
const std::string kLetterTrail = "\x81\x61";

TEST(GbkText, SearchesSkipTrailBytes) {
  const std::string path = "C:" + kBackslashTrail + "x\\y";
  EXPECT_EQ(GbkFind(path, '\\'), 5u);
  EXPECT_EQ(GbkFindLast(path, '\\'), 5u);
  EXPECT_EQ(GbkFind(kBackslashTrail, '\\'), std::string::npos);
  EXPECT_FALSE(GbkEndsWith("[a" + kBracketTrail, ']'));
  EXPECT_TRUE(GbkEndsWith("[a" + kBracketTrail + "]", ']'));
  EXPECT_EQ(GbkFind("ab" + kLetterTrail + "::c", "::"), 4u);
}

TEST(GbkText, CaseChangeLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(GbkToUpperAscii("ab" + kLetterTrail), "AB" + kLetterTrail);
  EXPECT_EQ(GbkToLowerAscii("MURALBOX://"), "muralbox://");
  EXPECT_TRUE(GbkStartsWithNoCase("MuralBox://x", "muralbox://"));
  EXPECT_FALSE(GbkStartsWithNoCase("mu", "muralbox://"));
  // The prefix would end inside a double-byte character: no match.
  EXPECT_FALSE(GbkStartsWithNoCase("\xB1\xED", "\xB1"));
}

TEST(GbkText, CutsNeverSplitACharacter) {
  const std::string text = "a\xB1\xED\xB1\xED";
  EXPECT_EQ(GbkCutLength(text, 2), 1u);
  EXPECT_EQ(GbkCutLength(text, 3), 3u);
  EXPECT_EQ(GbkCutLength(text, 100), 5u);
  // A dangling lead byte at the end is a byte of its own and may be kept.
  EXPECT_EQ(GbkCutLength("ab\xB1", 3), 3u);
}

TEST(GbkText, FieldCopyIsBoundedZeroFilledAndReadBackSafely) {
  char field[6];
  std::memset(field, 'Z', sizeof field);
  CopyToField(field, sizeof field, "ab\xB1\xED\xB1\xED");
  EXPECT_EQ(std::string(field, 4), "ab\xB1\xED");
  EXPECT_EQ(field[4], 0);
  EXPECT_EQ(field[5], 0);

  char full[4] = {'a', 'b', 'c', 'd'};  // no terminating zero
  EXPECT_EQ(ReadField(full, sizeof full), "abcd");
}

TEST(GbkText, SplitAndReplaceWorkOnCharacters) {
  EXPECT_EQ(GbkSplit("a::b::", "::"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(GbkSplit("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(GbkReplaceAll("x" + kBackslashTrail + "\\", "\\", "/"), "x" + kBackslashTrail + "/");
  EXPECT_EQ(TrimBlanks(" \t a b\t "), "a b");
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

}  // namespace
}  // namespace mb
