#include "skin/format/skin_catalog.h"

#include <gtest/gtest.h>

#include "skin/format/keyed_region.h"

namespace mb::skinfile {
namespace {

TEST(SkinCatalog, FormatAndParseRoundTrip) {
  SkinCatalog catalog;
  catalog.SetTransparent({1, 0xAB, 0xFF});
  ASSERT_TRUE(catalog.Add({"main_bk", {0, 0, 732, 460}, true}));
  ASSERT_TRUE(catalog.Add({"thumbPreview2_bk", {10, 470, 540, 150}, false}));
  const ParsedCatalog parsed = ParseSkinCatalog(FormatSkinCatalog(catalog));
  EXPECT_EQ(parsed.rejectedLines, 0);
  EXPECT_TRUE(parsed.catalog.Transparent() == (Rgb{1, 0xAB, 0xFF}));
  ASSERT_EQ(parsed.catalog.Images().size(), 2u);
  const SkinImage* main = parsed.catalog.Find("MAIN_BK");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->keyed);
  EXPECT_EQ(main->rect, (ImageRect{0, 0, 732, 460}));
  const SkinImage* preview = parsed.catalog.Find("thumbpreview2_bk");
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->name, "thumbPreview2_bk");
  EXPECT_FALSE(preview->keyed);
}

TEST(SkinCatalog, UnusableLinesAreSkippedAndCounted) {
  const ParsedCatalog parsed = ParseSkinCatalog(
      "; comment\n"
      "[skin]\n"
      "transparent=zz00ff\n"     // not hex
      "[images]\n"
      "a=1,2,3,4\r\n"
      "a=5,6,7,8\n"              // taken
      "b=1,2,0,4\n"              // empty
      "c=1,2,3\n"                // short
      "d=1,2,3,4,round\n"        // unknown flag
      "e=-1,2,3,4\n"             // negative
      "f=1,2,99999,4\n"          // too large
      "bad name=1,2,3,4\n"
      "g = 7 , 8 , 9 , 10 , KEYED\n"
      "[other]\n"
      "h=1,2,3,4\n");
  EXPECT_EQ(parsed.rejectedLines, 10);
  ASSERT_EQ(parsed.catalog.Images().size(), 2u);
  EXPECT_EQ(parsed.catalog.Find("a")->rect, (ImageRect{1, 2, 3, 4}));
  EXPECT_TRUE(parsed.catalog.Find("g")->keyed);
  EXPECT_TRUE(parsed.catalog.Transparent() == SkinCatalog::kDefaultTransparent);
}

TEST(SkinCatalog, ImagesOutsideThePictureAreDropped) {
  SkinCatalog catalog;
  catalog.Add({"inside", {0, 0, 10, 10}, false});
  catalog.Add({"edge", {90, 40, 10, 10}, false});
  catalog.Add({"outside", {95, 0, 10, 10}, false});
  EXPECT_EQ(catalog.DropImagesOutside(100, 50), 1);
  EXPECT_NE(catalog.Find("edge"), nullptr);
  EXPECT_EQ(catalog.Find("outside"), nullptr);
}

TEST(KeyedRegion, RowsOfTheSameRunsJoinAndKeyPixelsStayOut) {
  const Rgb key{255, 0, 255};
  Bitmap24 picture(8, 6, Rgb{10, 20, 30});
  // Image at (2, 1), 5 x 4: cut corners on the first row and a hole in the third.
  const ImageRect area{2, 1, 5, 4};
  picture.Set(2, 1, key);
  picture.Set(6, 1, key);
  picture.Set(4, 3, key);
  const std::vector<RegionRect> region = KeyedRegion(picture, area, key);
  const std::vector<RegionRect> expected = {
      {1, 0, 4, 1},  // first row without its corners
      {0, 1, 5, 2},  // second row whole
      {0, 2, 2, 3}, {3, 2, 5, 3},  // the hole
      {0, 3, 5, 4},
  };
  EXPECT_EQ(region, expected);
  EXPECT_TRUE(HasTransparentPixels(picture, area, key));
  EXPECT_FALSE(HasTransparentPixels(picture, {0, 4, 8, 2}, key));

  // A plain image is one rectangle; an area running off the picture ends at its edge.
  EXPECT_EQ(KeyedRegion(picture, {0, 4, 8, 2}, key), (std::vector<RegionRect>{{0, 0, 8, 2}}));
  EXPECT_EQ(KeyedRegion(picture, {6, 4, 4, 4}, key), (std::vector<RegionRect>{{0, 0, 2, 2}}));
}

}  // namespace
}  // namespace mb::skinfile
