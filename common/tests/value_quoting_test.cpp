#include "common/value_quoting.h"

#include <gtest/gtest.h>

namespace mb {
namespace {

TEST(ValueQuoting, QuotesOnlyWhenCommaOrQuoteIsPresent) {
  EXPECT_EQ(QuoteConfigValue(""), "");
  EXPECT_EQ(QuoteConfigValue("abc::::1::0"), "abc::::1::0");
  EXPECT_EQ(QuoteConfigValue("a^b"), "a^^b");
  EXPECT_EQ(QuoteConfigValue("a,b\"c"), "\"a,b\"\"c\"");
  EXPECT_EQ(QuoteConfigValue("l1\nl2\r"), "l1^Jl2^M");
}

TEST(ValueQuoting, UnescapeKeepsUnknownCaretSequences) {
  EXPECT_EQ(UnescapeConfigValue("a^Jb^Mc^^d^xe^"), "a\nb\rc^d^xe^");
  // "\x81\x5E" is one character whose trail byte is a caret: not an escape.
  EXPECT_EQ(UnescapeConfigValue("\x81\x5EJ"), "\x81\x5EJ");
}

TEST(ValueQuoting, SplitReadsQuotedItems) {
  EXPECT_TRUE(SplitQuotedList("").empty());
  EXPECT_EQ(SplitQuotedList("a,b,"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitQuotedList("\"x,y\"\"z\",w"), (std::vector<std::string>{"x,y\"z", "w"}));
  EXPECT_EQ(SplitQuotedList("a^Jb"), (std::vector<std::string>{"a\nb"}));
  EXPECT_EQ(SplitQuotedList("\"\",b"), (std::vector<std::string>{"", "b"}));
}

TEST(ValueQuoting, QuoteAndSplitAreInverse) {
  const std::vector<std::vector<std::string>> lists = {
      {"abc::::1::0", "d,e::x::1::1"},
      {"q\"uote", "^caret^", "\xB1\xED\x81\x5E,\x95\x5C"},
      {"plain"},
  };
  for (const auto& list : lists) {
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (i) joined += ',';
      joined += QuoteConfigValue(list[i]);
    }
    EXPECT_EQ(SplitQuotedList(joined), list) << joined;
  }
}

}  // namespace
}  // namespace mb
