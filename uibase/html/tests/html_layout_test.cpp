// The HTML subset's layout on the fake surface (characters 10 pixels wide, lines 10 high).
#include <gtest/gtest.h>

#include "uibase/html/tests/fake_surface.h"

namespace mb::html {
namespace {

using testing::FakeDrawer;
using testing::ItemsOf;

struct Placed {
  std::string text;
  int x;
  int y;
};

std::vector<Placed> Texts(const std::vector<DrawItem>& items) {
  std::vector<Placed> out;
  for (const TextItem& t : ItemsOf<TextItem>(items)) out.push_back({t.text, t.box.left, t.box.top});
  return out;
}

std::string Lines(const std::vector<DrawItem>& items) {
  std::string out;
  for (const Placed& p : Texts(items)) out += p.text + "@" + std::to_string(p.y) + " ";
  return out;
}

TEST(HtmlLayout, WrapsAtBreakCharactersAndCutsOnlyAtLineStart) {
  FakeDrawer d;
  EXPECT_EQ(Lines(d.Lay("abcdefgh", 50)), "abcde@0 fgh@10 ");
  EXPECT_EQ(Lines(d.Lay("<b>xy</b>abcdefgh", 50)), "xy@0 abcde@10 fgh@20 ");
  EXPECT_EQ(Lines(d.Lay("ab-cdef", 40)), "ab-@0 cdef@10 ");
  EXPECT_EQ(Lines(d.Lay("ab(cdef", 40)), "ab(c@0 def@10 ");
  EXPECT_EQ(Lines(d.Lay("one two   three", 70)), "one two@0 three@10 ");
  EXPECT_EQ(Lines(d.Lay("x", 5)), "x@0 ");  // at least one character per line
  // Double-byte characters whose trail byte is ']' are never split or broken after.
  EXPECT_EQ(Lines(d.Lay("\x81]\x81]\x81]\x81]", 25)), "\x81]\x81]@0 \x81]\x81]@10 ");
  EXPECT_EQ(d.size.width, 21);  // the widest line, then one added
}

TEST(HtmlLayout, JustifiesWrappedLinesButNotTheLastOne) {
  FakeDrawer d;
  const auto texts = ItemsOf<TextItem>(d.Lay("<justify>aa bb cc dd</justify>", 60, {0, 0, 60, 100}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "aa bb");
  EXPECT_EQ(texts[0].justifyExtra, 10);
  EXPECT_EQ(texts[0].justifyBreaks, 1);
  EXPECT_EQ(texts[1].justifyExtra, 0);
  const auto centred = Texts(d.Lay("<center>ab</center><br><right>cd</right>", 0, {5, 0, 105, 100}));
  EXPECT_EQ(centred[0].x, 5 + 40);
  EXPECT_EQ(centred[1].x, 5 + 80);
}

TEST(HtmlLayout, BreakAndTabCountsSkipTheFirstCharacter) {
  FakeDrawer d;
  const auto texts = Texts(d.Lay("a<br=2>b<br 12>c<br 2>d<t=2>e<t>f"));
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[1].y, 20);
  EXPECT_EQ(texts[2].y, 40);  // "br 12" counts 2
  EXPECT_EQ(texts[3].y, 50);  // "br 2" counts 1
  EXPECT_EQ(texts[4].x, 64);
  EXPECT_EQ(texts[5].x, 96);
  // Huge counts and lengths stay bounded.
  d.resources.images[7] = {64, 16};
  d.Lay("<br=2000000000>x<hr size=99999in width=99999in><bmp idres=7 width=99999in height=99999in><t=999999999>");
  EXPECT_EQ(d.size.height, 10 * kMaxCount + kMaxLength + 3 + 1);  // the line keeps the text's descent
}

TEST(HtmlLayout, ImagesStripsAndAnimations) {
  FakeDrawer d;
  d.resources.images[7] = {64, 16};
  auto images = ItemsOf<ImageItem>(d.Lay("a<bmp idres=7 mask style=gs width=50%><ilst idres=7 cx=0><ilst idres=7 index=9>"
                                         "<ilst idres=7 cx=16 index=1 speed=3><icon idres=7><bmp idres=99>"));
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ(images[0].rect, (Rect{10, 12, 10 + 32 + 4, 32}));  // half the width, shadow 4 by 4, on the baseline
  EXPECT_TRUE(images[0].masked);
  EXPECT_EQ(images[0].mask, 0xFF00FFu);
  EXPECT_EQ(images[0].styles, "gs");
  EXPECT_EQ(images[1].frame, 1);
  EXPECT_EQ(images[1].rect.left, 10 + 36 + 16);  // the frame out of the strip keeps its place
  EXPECT_EQ(images[2].rect.Width(), 32);         // icons take the system icon size
  // Baseline: the image's bottom sits on the line's baseline.
  EXPECT_EQ(images[1].rect.bottom, images[0].rect.bottom);

  std::vector<int> frames;
  for (int tick = 1; tick <= 12; ++tick) {
    if (d.engine.Tick()) frames.push_back(d.engine.Animations()[0].frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 0, 1}));  // every third tick, wrapping after 3
  images = ItemsOf<ImageItem>(d.engine.Draw(d.measure, {0, 0, 200, 400}));
  EXPECT_EQ(images[1].frame, 1);
  d.engine.Tick();
  d.engine.Tick();
  d.engine.Tick();
  EXPECT_EQ(ItemsOf<ImageItem>(d.engine.Draw(d.measure, {0, 0, 200, 400}))[1].frame, 2);
}

TEST(HtmlLayout, HoverAndClickReportLinks) {
  FakeDrawer d;
  d.resources.strings[5] = "str";
  d.Lay("<a href=\"http://h/\">ab</a> <a msg=\"hello\">cd</a> <string idres=5>");
  EXPECT_TRUE(d.engine.MouseOver({5, 5}));
  EXPECT_TRUE(d.engine.MouseOver({20, 10}));  // edges belong to the area
  EXPECT_TRUE(d.engine.MouseOver({35, 5}));
  EXPECT_FALSE(d.engine.MouseOver({65, 5}));
  EXPECT_FALSE(d.engine.MouseOver({90, 5}));
  EXPECT_EQ(d.links.hovers, (std::vector<int>{0, 1, -2}));
  d.engine.Click({35, 5});
  d.engine.Click({5, 5});
  d.engine.Click({65, 5});
  EXPECT_EQ(d.links.messages, (std::vector<std::string>{"hello"}));
  EXPECT_EQ(d.links.opened, (std::vector<std::string>{"http://h/"}));
  EXPECT_EQ(Texts(d.engine.Draw(d.measure, {0, 0, 200, 400})).back().text, "str");
}

std::vector<Rect> Fills(const std::vector<DrawItem>& items) {
  std::vector<Rect> out;
  for (const FillItem& f : ItemsOf<FillItem>(items)) out.push_back(f.rect);
  return out;
}

TEST(HtmlLayout, TablesSettleSpansAndSpreadSpareWidth) {
  FakeDrawer d;
  // Column 1 is fixed by its width; the spanning cell's shortfall 21 goes 10 + 10 and 1 to the last.
  auto items = d.Lay("<table><tr><td colspan=2 bgcolor=red>abcde</td></tr>"
                     "<tr><td bgcolor=red>a</td><td width=15 bgcolor=red>b</td></tr></table>");
  EXPECT_EQ(d.size.width, 55 + 1);
  EXPECT_EQ(d.size.height, 29 + 1);
  EXPECT_EQ(Fills(items), (std::vector<Rect>{{0, 0, 200, 14}, {0, 15, 169, 29}, {170, 15, 200, 29}}));
  const auto texts = Texts(items);
  EXPECT_EQ(texts[0].x, 2);
  EXPECT_EQ(texts[2].x, 172);

  // Double borders count three widths a side; any style but solid is one pixel wide.
  items = d.Lay("<table border=2 borderstyle=double cellspacing=3 bordercolorlight=red><tr><td>ab</td></tr></table>");
  EXPECT_EQ(d.size.width, 6 + 30 + 6 + 1);
  const auto borders = ItemsOf<BorderItem>(items);
  ASSERT_EQ(borders.size(), 2u);
  EXPECT_EQ(borders[0].style, 6);
  EXPECT_EQ(borders[0].width, 1);
  EXPECT_EQ(borders[0].light, Rgb(255, 0, 0));

  // Spans past the grid are cut to it; the remainder of a column span goes to its last column.
  d.Lay("<table><tr><td rowspan=5 colspan=3>x</td><td>y</td></tr></table>");
  EXPECT_EQ(d.size.width, 3 + 4 + 4 + 6 + 14 + 1);
  EXPECT_EQ(d.size.height, 14 + 1);

  // All columns fixed: the table itself is centred; cells inside nest tables.
  items = d.Lay("<table align=center bgcolor=blue><tr><td width=20><table bgcolor=red><tr><td>x</td></tr></table>"
                "</td></tr></table>after");
  EXPECT_EQ(Fills(items), (std::vector<Rect>{{88, 0, 112, 18}, {90, 2, 110, 16}}));
  EXPECT_EQ(Texts(items).back().y, 18);
}

TEST(HtmlLayout, TheFallbackCommandQuotesTheTarget) {
  EXPECT_EQ(OpenCommandFor("\"C:\\b.exe\" -nohome \"%1\"", "http://x/\"a b"), "\"C:\\b.exe\" -nohome \"http://x/%22a b\"");
  EXPECT_EQ(OpenCommandFor("b.exe %1 -x", "t"), "b.exe \"t\"");
  EXPECT_EQ(OpenCommandFor("b.exe", "t"), "b.exe \"t\"");
}

}  // namespace
}  // namespace mb::html
