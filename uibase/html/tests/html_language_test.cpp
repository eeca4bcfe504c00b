// The HTML subset's language: preparation, tokens, attributes, values, the style sheet and the
// styles that tags give the text, measured on the fake surface.
#include <gtest/gtest.h>

#include "uibase/html/html_style.h"
#include "uibase/html/static_text.h"
#include "uibase/html/tests/fake_surface.h"

namespace mb::html {
namespace {

using testing::FakeDrawer;
using testing::FakeMeasure;
using testing::ItemsOf;

std::string Describe(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) out += (t.kind == Token::kTag ? "[" + t.text + "]" : "'" + t.text + "'");
  return out;
}

TEST(HtmlLanguage, PreparationAndTokensKeepEveryEscapeApart) {
  const struct {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"a<<b", "[body]'a<b'[/body]"},
      {"&lt;x&gt;", "[body]'<x>'[/body]"},
      {"&amp;lt;", "[body]'&lt;'[/body]"},  // one pass: the produced "&lt;" stays
      {"x\r\ny\tz", "[body]'x'[br]'y'[t]'z'[/body]"},
      {"a<b", "[body]'a'[b</body]"},  // the tag runs to the next ">", the wrapper's
      {"&nbsp;&quot;&copy;&unknown;", "[body]' \"\xA9&unknown;'[/body]"},
      {"<b>\xB0]</b>", "[body][b]'\xB0]'[/b][/body]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(Tokenise(PrepareText(c.text))), c.tokens) << c.text;
  }
  EXPECT_EQ(PrepareText("a\nb\tc", false), "<body>abc</body>");
  EXPECT_EQ(Describe(Tokenise("a<b")), "'ab'");  // a "<" with no ">" is dropped
}

TEST(HtmlLanguage, TagTextAndAttributesFollowTheirOwnRules) {
  const TagText closing = SplitTag("/FONT color=red");
  EXPECT_TRUE(closing.closing);
  EXPECT_EQ(closing.name, "font");
  EXPECT_EQ(SplitTag("br=3").attributes, "=3");

  const Attributes a = ParseAttributes("href = \"a b\" msg='x\"y' bare cx=16, cy=8 q=\"open Mixed==v");
  ASSERT_EQ(a.size(), 6u);
  EXPECT_EQ(a[0], (std::pair<std::string, std::string>{"href", "a b"}));
  EXPECT_EQ(a[1].second, "x\"y");
  EXPECT_EQ(a[2], (std::pair<std::string, std::string>{"bare", ""}));
  EXPECT_EQ(a[3].second, "16,");
  EXPECT_EQ(a[4].second, "8");
  EXPECT_EQ(a[5].second, "open Mixed==v");  // no closing quote: to the end
  EXPECT_EQ(FindAttribute(a, "HREF"), nullptr);  // names compare exactly
}

TEST(HtmlLanguage, LengthsColoursAndNames) {
  FakeMeasure measure;
  const ColourNames names(testing::FakeSystemColour);
  EXPECT_EQ(names.Size(), 168u);
  ValueReader v(measure, names);
  FontSpec font;
  font.size = 10;
  const struct {
    const char* value;
    int current;
    bool sizeRule;
    int expected;
  } lengths[] = {
      {"3", 20, true, 12},      {"8", 20, true, 8},     {"7", 0, true, 36},      {"3", 20, false, 3},
      {"-2pt", 0, false, 2},    {"+2pt", 0, false, 2},  {"150%", 10, false, 15}, {"65%", 13, false, 8},
      {"1in", 0, false, 96},    {"2cm", 0, false, 75},  {"10mm", 0, false, 37},  {"1pc", 0, false, 16},
      {"2em", 0, false, 20},    {"3ex", 0, false, 15},  {"0x10", 0, false, 16},  {"", 42, false, 42},
      {"12PX", 0, false, 12},   {"1.5in", 0, false, 144}, {"99999in", 0, false, kMaxLength},
      {"99999999999", 0, false, kMaxLength},
  };
  for (const auto& c : lengths) {
    EXPECT_EQ(v.Length(c.value, c.current, font, c.sizeRule), c.expected) << c.value;
  }
  const Colour orange = Rgb(0xFF, 0x99, 0x00);
  EXPECT_EQ(v.ColourOf("#ff9900", 1), orange);
  EXPECT_EQ(v.ColourOf("0x0099FF", 1), orange);
  EXPECT_EQ(v.ColourOf("39423", 1), orange);
  EXPECT_EQ(v.ColourOf("#f90", 7), 7u);
  EXPECT_EQ(v.ColourOf("", 7), 7u);
  EXPECT_EQ(v.ColourOf("LightGrey", 7), Rgb(0xD3, 0xD3, 0xD3));
  EXPECT_EQ(v.ColourOf("lightgray", 7), 0u);  // unknown: the default colour
  EXPECT_EQ(v.ColourOf("grey", 7), 0u);
  EXPECT_EQ(v.ColourOf("darkslategray", 7), Rgb(0x2F, 0x4F, 0x4F));
  EXPECT_EQ(v.ColourOf("threedface", 7), testing::FakeSystemColour(15));
  v.SetDisabled(true, 0x123456);
  EXPECT_EQ(v.ColourOf("red", 7), 0x123456u);
  EXPECT_EQ(v.RawColourOf("red", 7), Rgb(255, 0, 0));
}

TEST(HtmlLanguage, StyleSheetParsesReplacesAndFallsBackToTheDefault) {
  StyleSheet sheet;
  ASSERT_EQ(sheet.Entries().size(), 17u);
  EXPECT_EQ(sheet.Entries().front().first, "body");
  EXPECT_EQ(sheet.Entries().back().first, ".cpp-comment");
  EXPECT_EQ(*sheet.GetStyle("A:HOVER"), "text-decoration:underline; color:blue");
  sheet.SetStyle("H1", "color:red");
  sheet.SetStyle("h1", "color:green");
  EXPECT_EQ(*sheet.GetStyle("h1"), "color:green");
  EXPECT_EQ(sheet.Entries().size(), 17u);

  sheet.SetSheet(std::string_view("  h1{color:red} .note {font-weight:bold}\n empty{} a:link { color:#123456 }"));
  ASSERT_EQ(sheet.Entries().size(), 3u);
  EXPECT_EQ(*sheet.GetStyle("h1"), "color:red");
  EXPECT_EQ(*sheet.GetStyle(".note"), "font-weight:bold");
  EXPECT_EQ(sheet.GetStyle("empty"), nullptr);
  EXPECT_EQ(*sheet.GetStyle("a:link"), " color:#123456 ");
  sheet.SetSheet(std::nullopt);
  EXPECT_EQ(sheet.Entries().size(), 17u);
}

struct RunStyle {
  std::string text;
  int weight;
  bool italic;
  int size;
};

std::vector<RunStyle> Runs(FakeDrawer& d, std::string_view text) {
  std::vector<RunStyle> out;
  for (const TextItem& t : ItemsOf<TextItem>(d.Lay(text))) out.push_back({t.text, t.font.weight, t.font.italic, t.font.size});
  return out;
}

TEST(HtmlLanguage, TagsSaveAndRestoreStylesByName) {
  FakeDrawer d;
  // The closing "b" does not match the innermost "i": ignored; "/i" then restores bold.
  auto runs = Runs(d, "<b><i>one</b>two</i>three");
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(runs[1].italic && runs[1].weight == 800);
  EXPECT_TRUE(!runs[2].italic && runs[2].weight == 800);

  runs = Runs(d, "<b><b>x</b></b><i>y</em>z<font size=3>a</font><font size=8>b</font>");
  EXPECT_EQ(runs[0].weight, 900);
  EXPECT_FALSE(runs[2].italic);  // "i" and "em" close each other
  EXPECT_EQ(runs[3].size, 12);
  EXPECT_EQ(runs[4].size, 8);

  runs = Runs(d, "<font weight=700 style='-b+iu'>q</font><h2>h</h2><span class=cpp-comment>c</span>"
                 "<h1 style=\"font-size:20px\">s</h1>");
  EXPECT_EQ(runs[0].weight, 400);
  EXPECT_TRUE(runs[0].italic);
  EXPECT_EQ(runs[1].weight, 700);
  EXPECT_EQ(runs[1].size, 17);  // 13pt at 96 dpi
  EXPECT_TRUE(runs[2].italic);
  EXPECT_EQ(runs[3].size, 20);  // the tag's own declarations after its entry
}

TEST(HtmlLanguage, DeclarationsAndTransformsLeaveDoubleByteTextIntact) {
  FakeDrawer d;
  // Trail bytes 'A' and 'a' must survive the lower-casing of declarations and the transforms.
  d.engine.Sheet().SetStyle(".t", "FONT-FAMILY:\"\x81" "A\"; text-transform:uppercase; TEXT-DECORATION:underline,overline");
  auto texts = ItemsOf<TextItem>(d.Lay("<span class=t>x\xB0" "a y</span>"));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "X\xB0" "a Y");
  EXPECT_EQ(texts[0].font.family, "\x81" "A");
  EXPECT_TRUE(texts[0].font.underline);
  EXPECT_TRUE(texts[0].overline);
  EXPECT_EQ(TransformText("ab c\x81" "a-d", 3), "Ab C\x81" "a-d");
  EXPECT_EQ(TransformText("AB\x81" "B", 2), "ab\x81" "B");
}

TEST(HtmlLanguage, AComposedLinkKeepsItsTargetWhole) {
  FakeDrawer d;
  auto texts = ItemsOf<TextItem>(d.Lay(HyperlinkText("go", "http://h/?a>b&c=\"d'", false)));
  ASSERT_EQ(d.engine.HotAreas().size(), 1u);
  EXPECT_EQ(d.engine.HotAreas()[0].target, "http://h/?a%3Eb&c=%22d'");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "go");
}

TEST(HtmlLanguage, LinksAreNumberedAndTakeTheirHoverStyle) {
  FakeDrawer d;
  auto texts = ItemsOf<TextItem>(d.Lay("<a href=x>one</a> <a msg=m href=u>two</a> <a>three</a>"));
  ASSERT_EQ(d.engine.HotAreas().size(), 3u);
  EXPECT_EQ(d.engine.HotAreas()[1].kind, LinkKind::kUrl);  // the later attribute wins
  EXPECT_EQ(d.engine.HotAreas()[1].target, "u");
  EXPECT_EQ(d.engine.HotAreas()[2].kind, LinkKind::kMessage);
  EXPECT_EQ(d.engine.HotAreas()[2].link, 2);
  EXPECT_FALSE(texts[0].font.underline);
  EXPECT_EQ(texts[0].colour, Rgb(0, 0, 255));

  d.engine.MouseOver({45, 5});  // over "two"
  const auto hovered = ItemsOf<TextItem>(d.engine.Draw(d.measure, {0, 0, 200, 400}));
  EXPECT_FALSE(hovered[0].font.underline);
  EXPECT_TRUE(hovered[2].font.underline);

  d.engine.Enable(false);
  d.engine.SetDisabledColour(0x00ABCDEF);
  const auto disabled = ItemsOf<TextItem>(d.Lay("<font color=red>r</font>"));
  EXPECT_EQ(disabled[0].colour, 0x00ABCDEFu);
}

}  // namespace
}  // namespace mb::html
