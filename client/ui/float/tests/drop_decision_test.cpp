#include "client/ui/float/drop_decision.h"

#include <gtest/gtest.h>

#include "client/ui/preview/slide_show.h"

namespace mb::floatbox {
namespace {

TEST(FloatDrop, EffectsWithCopyOrLinkAreKeptOthersRefused) {
  EXPECT_EQ(AcceptedDropEffect(kDropEffectCopy), kDropEffectCopy);
  EXPECT_EQ(AcceptedDropEffect(kDropEffectLink), kDropEffectLink);
  EXPECT_EQ(AcceptedDropEffect(kDropEffectCopy | kDropEffectMove | kDropEffectLink),
            kDropEffectCopy | kDropEffectMove | kDropEffectLink);
  EXPECT_EQ(AcceptedDropEffect(kDropEffectMove), kDropEffectNone);
  EXPECT_EQ(AcceptedDropEffect(kDropEffectNone), kDropEffectNone);
  EXPECT_EQ(AcceptedDropEffect(0x80000000u | kDropEffectMove), kDropEffectNone);  // scroll flag alone
}

TEST(FloatDrop, FirstFileDecidesPicturesOpenOthersAndOverlongNamesAreRefused) {
  EXPECT_EQ(DecideFileDrop(0, "").action, DropAction::kIgnore);

  DropDecision picture = DecideFileDrop(3, "C:\\pics\\Sea.JPEG");
  EXPECT_EQ(picture.action, DropAction::kOpenPicture);
  EXPECT_EQ(picture.path, "C:\\pics\\Sea.JPEG");
  EXPECT_TRUE(picture.message.empty());

  DropDecision text = DecideFileDrop(1, "C:\\docs\\notes.txt");
  EXPECT_EQ(text.action, DropAction::kNotAPicture);
  EXPECT_EQ(text.message, "C:\\docs\\notes.txt 不是有效的图片文件!");
  EXPECT_EQ(DecideFileDrop(1, "C:\\pics.png\\folder").action, DropAction::kNotAPicture);

  // The longest path the client opens passes; one more character is refused with the whole name,
  // never cut back to something that looks like a picture.
  const std::string folder = "C:\\" + std::string(200, 'a') + "\\";
  const std::string longest = folder + std::string(kLongestPath - folder.size() - 4, 'b') + ".jpg";
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_EQ(DecideFileDrop(1, longest).action, DropAction::kOpenPicture);
  const std::string overlong = folder + std::string(kLongestPath - folder.size() - 3, 'b') + ".jpg";
  DropDecision refused = DecideFileDrop(1, overlong);
  EXPECT_EQ(refused.action, DropAction::kNotAPicture);
  EXPECT_EQ(refused.message, overlong + " 不是有效的图片文件!");
  const std::string past = folder + std::string(300, 'c') + ".bmp";
  EXPECT_EQ(DecideFileDrop(1, past).path, past);
  EXPECT_EQ(DecideFileDrop(1, past).action, DropAction::kNotAPicture);
}

TEST(FloatDrop, PositionPacksLeftLowTopHigh) {
  EXPECT_EQ(PackFloatPosition(1180, 40), (40 << 16) | 1180);
  EXPECT_EQ(static_cast<std::uint32_t>(PackFloatPosition(-5, 2)), 0x0002FFFBu);
}

TEST(PreviewSlideShow, StepsWrapWithTwoOrMoreAndStandStillWithOne) {
  preview::SlideShow empty;
  EXPECT_FALSE(empty.Step());
  EXPECT_EQ(empty.Current(), "");
  preview::SlideShow one;
  one.AddPicture("a.jpg");
  EXPECT_FALSE(one.Step());
  EXPECT_EQ(one.Current(), "a.jpg");
  preview::SlideShow three;
  for (const char* p : {"r.bmp", "g.bmp", "b.bmp"}) three.AddPicture(p);
  std::string seen;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(three.Step());
    seen += three.Current().substr(0, 1);
  }
  EXPECT_EQ(seen, "gbrg");
}

}  // namespace
}  // namespace mb::floatbox
