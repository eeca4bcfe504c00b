#include "client/core/wallpaper_player_step.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "client/core/wallpaper_list.h"

namespace mb {
namespace {

// A GBK character whose trail byte is '\\'.
const std::string kTrailBackslash = "\xD5\x5C";

TEST(WallpaperList, StepsWrapBothWaysAndTheStoredIndexIsBroughtIntoRange) {
  WallpaperList list;
  EXPECT_FALSE(list.Step(1));  // empty: nothing, index kept
  EXPECT_EQ(list.CurrentIndex(), -1);
  EXPECT_FALSE(list.NormalizedCurrent());

  list.SetPaths({"C:\\w\\a.jpg", "C:\\w\\b.jpg", "C:\\w\\c.jpg"});
  list.SetCurrentIndex(2);
  EXPECT_EQ(list.Step(+1)->path, "C:\\w\\a.jpg");
  EXPECT_EQ(list.CurrentIndex(), 0);
  EXPECT_EQ(list.Step(-1)->index, 2);
  EXPECT_EQ(list.Step(0)->index, 2);

  // A stored index left over from a longer list, or the "none yet" index, is wrapped once.
  list.SetCurrentIndex(7);
  EXPECT_FALSE(list.Current());
  EXPECT_EQ(list.NormalizedCurrent()->index, 0);
  list.SetCurrentIndex(-1);
  EXPECT_EQ(list.NormalizedCurrent()->path, "C:\\w\\c.jpg");
  EXPECT_EQ(list.CurrentIndex(), 2);
  list.SetCurrentIndex(std::numeric_limits<int>::max());
  EXPECT_EQ(list.Step(+1)->index, 0);
}

TEST(PlayerStep, AppliesOnlyOnChangesAndCountsDisplayTimeOfPicturesAndAdverts) {
  PlayerState state;
  UsageList usage;
  const AdvertChoice noAdvert;
  AdvertChoice advert;
  advert.picturePath = "C:\\ads\\spring.png";
  advert.hoverText = "http://ad";

  // First picture: applied, nothing counted yet.
  PlayerStepDecision d = DecidePlayerStep(state, usage, std::string("C:\\w\\a.jpg"), noAdvert, 1000);
  EXPECT_FALSE(d.skip);
  EXPECT_TRUE(d.clearHoverRegion);
  EXPECT_EQ(d.picturePath, "C:\\w\\a.jpg");
  EXPECT_TRUE(usage.Items().empty());

  // Same picture, no advert: skipped, 30 s counted.
  d = DecidePlayerStep(state, usage, std::string("D:\\other\\a.jpg"), noAdvert, 1030);
  EXPECT_TRUE(d.skip);
  // The advert of the new minute: applied with it.
  d = DecidePlayerStep(state, usage, std::string("C:\\w\\a.jpg"), advert, 1033);
  EXPECT_FALSE(d.skip);
  EXPECT_FALSE(d.clearHoverRegion);
  EXPECT_EQ(d.advert.hoverText, "http://ad");
  d = DecidePlayerStep(state, usage, std::string("C:\\w\\a.jpg"), advert, 1040);
  EXPECT_TRUE(d.skip);
  // A clock set back counts nothing.
  d = DecidePlayerStep(state, usage, std::string("C:\\w\\" + kTrailBackslash + ".jpg"), noAdvert, 900);
  EXPECT_FALSE(d.skip);
  EXPECT_EQ(state.picture.name, kTrailBackslash + ".jpg");
  EXPECT_EQ(state.advert.name, "");

  const std::vector<UsageItem> items = usage.Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "a.jpg");
  EXPECT_EQ(items[0].seconds, 30 + 3 + 7);
  EXPECT_EQ(items[0].clock, 1030);
  EXPECT_EQ(items[1].text, "spring.png");
  EXPECT_EQ(items[1].seconds, 7);

  // The list empties: the desktop picture is cleared once, not on every step.
  d = DecidePlayerStep(state, usage, std::nullopt, noAdvert, 910);
  EXPECT_TRUE(d.skip);
  EXPECT_TRUE(d.postClear);
  d = DecidePlayerStep(state, usage, std::nullopt, noAdvert, 913);
  EXPECT_TRUE(d.skip);
  EXPECT_FALSE(d.postClear);

  // A client that starts with an empty list clears once too.
  PlayerState fresh;
  EXPECT_TRUE(DecidePlayerStep(fresh, usage, std::nullopt, noAdvert, 1).postClear);
  EXPECT_FALSE(DecidePlayerStep(fresh, usage, std::nullopt, noAdvert, 2).postClear);
}

TEST(UsageList, TakesFinishedItemsFromTheFrontOnlyUpToTheFirstShortOne) {
  UsageList usage;
  for (int i = 0; i < 4; ++i) usage.AddDisplayTime("p" + std::to_string(i), 300, i);
  usage.AddDisplayTime("short", 10, 9);
  usage.AddDisplayTime("late", 900, 10);
  usage.AddDisplayTime("p0", std::numeric_limits<std::int32_t>::max(), 11);
  EXPECT_EQ(usage.Items()[0].seconds, std::numeric_limits<std::int32_t>::max());

  EXPECT_EQ(usage.TakeFront(3, 300).size(), 3u);
  const std::vector<UsageItem> rest = usage.TakeFront(10, 300);
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0].text, "p3");
  EXPECT_EQ(usage.Items().size(), 2u);  // "short" holds "late" back
}

TEST(WallpaperPage, IsWrittenByteForByteWithTheAddressRelativeToTheDownloadFolder) {
  const std::string head =
      "<html>\n"
      "\t<head>\n"
      "\t\t<title></title>\n"
      "\t\t<meta name=\"GENERATOR\" content=\"Muralbox\">\n"
      "\t\t<meta name=\"vs_targetSchema\" content=\"HTML 4.0\">\n"
      "\t</head>\n"
      "\t<body bgproperties='fixed' bgColor='black' bottomMargin='0' leftMargin='0' topMargin='0' "
      "rightMargin='0'  >\n"
      "\t\t<IMG alt='' src='";
  const std::string tail =
      "' width='100%' height='100%' border='0'>\n"
      "\t</body>\n"
      "</html>\n";
  const std::string folder = "C:\\Muralbox\\wallpaper\\";
  EXPECT_EQ(FormatWallpaperPage(folder + kTrailBackslash + "\\lake.jpg", folder),
            head + ".\\" + kTrailBackslash + "\\lake.jpg" + tail);
  EXPECT_EQ(FormatWallpaperPage("c:\\muralbox\\WALLPAPER\\a.bmp", folder), head + ".\\a.bmp" + tail);
  // Outside the folder (or the folder itself) the path stays whole; a quote cannot end the
  // attribute.
  EXPECT_EQ(FormatWallpaperPage("D:\\x", folder), head + "D:\\x" + tail);
  EXPECT_EQ(FormatWallpaperPage(folder, folder), head + folder + tail);
  EXPECT_EQ(FormatWallpaperPage("D:\\it's & more.jpg", folder), head + "D:\\it&#39;s &amp; more.jpg" + tail);
}

}  // namespace
}  // namespace mb
