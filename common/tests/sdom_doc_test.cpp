#include "common/sdom_doc.h"

#include <gtest/gtest.h>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

TEST(SDOMDoc, ReadsSectionsKeysAndBracketValues) {
  SDOMDoc doc;
  ASSERT_TRUE(doc.ParseText(
      "# comment\r\n; another\r\n[USER]\r\n \tuser \t= \t张三 \r\nurl=a=b\r\nlist=[1,2]\r\n"
      "pair=[]\r\nuser=second\r\n  # not a comment, no equals\r\nnoequals\r\n[GUI]\nx=^J"));
  SDOMDocSection user = doc.FindSection("USER");
  std::string value;
  ASSERT_TRUE(user.GetString("user", value));
  EXPECT_EQ(value, "张三");  // trimmed, and the first of two
  ASSERT_TRUE(user.GetString("url", value));
  EXPECT_EQ(value, "a=b");
  EXPECT_FALSE(user.GetString("list", value));
  ASSERT_TRUE(user.GetBracketValue("list", value));
  EXPECT_EQ(value, "1,2");
  ASSERT_TRUE(user.GetString("pair", value));
  EXPECT_EQ(value, "[]");
  ASSERT_TRUE(doc.FindSection("GUI").GetString("x", value));
  EXPECT_EQ(value, "\n");
  EXPECT_FALSE(doc.FindSection("user").IsValid());  // names are case-sensitive
  EXPECT_FALSE(doc.FindSection("GUI").GetString("USER", value));
}

TEST(SDOMDoc, MalformedFilesFailWhole) {
  SDOMDoc doc;
  EXPECT_FALSE(doc.ParseText("[USER]\na=1\n[USER]\nb=2\n"));
  EXPECT_TRUE(doc.Empty());
  EXPECT_FALSE(doc.ParseText("a=1\n[USER]\n"));
  EXPECT_TRUE(doc.Empty());
  EXPECT_FALSE(doc.Parse("/nonexistent/conf.dat"));
}

TEST(SDOMDoc, SectionHeadingNeedsARealClosingBracket) {
  // The heading's last byte is the trail byte of a double-byte character, not a bracket.
  SDOMDoc doc;
  ASSERT_TRUE(doc.ParseText("[A]\nk=[x\x81\x5D\n"));
  std::string value;
  ASSERT_TRUE(doc.FindSection("A").GetString("k", value));
  EXPECT_EQ(value, "[x\x81\x5D");
}

TEST(SDOMDoc, IntegersWrapLikeThe32BitReading) {
  SDOMDoc doc;
  ASSERT_TRUE(doc.ParseText("[S]\npos=4294967295\nneg=-12abc\ntext=abc\n"));
  int value = 7;
  SDOMDocSection s = doc.FindSection("S");
  ASSERT_TRUE(s.GetInt("pos", value));
  EXPECT_EQ(value, -1);
  ASSERT_TRUE(s.GetInt("neg", value));
  EXPECT_EQ(value, -12);
  ASSERT_TRUE(s.GetInt("text", value));
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(s.GetInt("missing", value));
  EXPECT_EQ(value, 0);
}

TEST(SDOMDoc, ParsesAFile) {
  TempFolder folder;
  ASSERT_TRUE(WriteFileReplacing(folder.Path("c.dat"), "[CLIENTID]\r\ncid=7\r\n"));
  SDOMDoc doc;
  ASSERT_TRUE(doc.Parse(folder.Path("c.dat")));
  int cid = 0;
  EXPECT_TRUE(doc.FindSection("CLIENTID").GetInt("cid", cid));
  EXPECT_EQ(cid, 7);
}

}  // namespace
}  // namespace mb
