// What the HTML static control composes and where it puts the text.
#include <gtest/gtest.h>

#include "uibase/html/static_text.h"

namespace mb::html {
namespace {

TEST(StaticText, ComposedTextsQuoteEscapeAndMask) {
  EXPECT_EQ(HyperlinkText("home", "http://h/", false), "<a href=\"http://h/\">home</a>");
  EXPECT_EQ(HyperlinkText("a<b", "say \"hi\"", true), "<a msg='say \"hi\"'>a<<b</a>");
  // A ">" or both kinds of quote in the target cannot end the tag or the value.
  EXPECT_EQ(HyperlinkText("x", "http://h/?a>b", false), "<a href=\"http://h/?a%3Eb\">x</a>");
  EXPECT_EQ(HyperlinkText("x", "it's \"q\"", true), "<a msg=\"it's %22q%22\">x</a>");
  EXPECT_EQ(LinkStyleText(0xFF0000, true), "color:0xFF0000; text-decoration:underline");
  EXPECT_EQ(BodyStyleText(-11, 0x000000, "Tahoma", 400, true),
            "font-size:-11pt; color:0x000000; font-family:Tahoma; font-weight:400; font-style:italic");

  ImageTagSpec bitmap;
  bitmap.value = 5;
  EXPECT_EQ(ImageTag(bitmap), "<bmp idres=5>");
  bitmap.mask = 0;  // any mask but "none" is written, black included
  EXPECT_EQ(ImageTag(bitmap), "<bmp idres=5 mask=0x000000>");
  ImageTagSpec strip;
  strip.kind = ImageTagSpec::kStrip;
  strip.byHandle = true;
  strip.value = 0x1A2B;
  strip.index = 3;
  strip.frame = ImageSize{16, 8};
  strip.mask = 0xFF00FF;
  EXPECT_EQ(ImageTag(strip), "<ilst index=3 handle=0x1A2B mask=0xFF00FF cx=16, cy=8>");
  strip.animated = true;
  strip.mask = kNoMask;
  EXPECT_EQ(ImageTag(strip), "<ilst index=0 handle=0x1A2B cx=16, cy=8 speed=1>");
  ImageTagSpec icon;
  icon.kind = ImageTagSpec::kIcon;
  icon.value = 7;
  icon.mask = 0;
  EXPECT_EQ(ImageTag(icon), "<icon idres=7>");

  ZoomInput zoom;
  EXPECT_EQ(ZoomedImageText("<bmp idres=5>", zoom), "<bmp idres=5 width=100% height=100%>");
  zoom = {150, 50, 33, 21, 200, 100, 3, 2};
  EXPECT_EQ(ZoomedImageText("<icon idres=7>", zoom), "<icon idres=7 width=50 height=11>");
  zoom.zoomX = zoom.zoomY = 0;  // the client area less the margins
  EXPECT_EQ(ZoomedImageText("<icon idres=7>", zoom), "<icon idres=7 width=193 height=96>");
}

TEST(StaticText, PlacementFollowsFlagsThenTheWindowStyle) {
  PlacementInput in;
  in.client = {0, 0, 200, 100};
  in.marginX = 4;
  in.marginY = 3;
  in.width = 50;
  in.height = 20;
  EXPECT_EQ(PlaceStaticText(in), (Rect{4, 3, 54, 23}));
  in.styleAlign = 2;
  in.styleCenterImage = true;
  EXPECT_EQ(PlaceStaticText(in), (Rect{146, 40, 196, 60}));
  in.align = kStaticCenter | kStaticBottom;  // the flags win over the style
  EXPECT_EQ(PlaceStaticText(in), (Rect{75, 77, 125, 97}));
  in.align = kStaticLeft;
  EXPECT_EQ(PlaceStaticText(in).top, 40);  // vertical from the style still
}

}  // namespace
}  // namespace mb::html
