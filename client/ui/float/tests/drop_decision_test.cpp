#include "client/ui/float/drop_decision.h"

#include <gtest/gtest.h>

namespace mb::floatbox {
namespace {

TEST(FloatDrop, EffectsFirstFileAndOverlongNames) {
  EXPECT_EQ(AcceptedDropEffect(kDropEffectLink | kDropEffectMove), kDropEffectLink | kDropEffectMove);
  EXPECT_EQ(AcceptedDropEffect(kDropEffectCopy), kDropEffectCopy);
  EXPECT_EQ(AcceptedDropEffect(0x80000000u | kDropEffectMove), kDropEffectNone);
  EXPECT_EQ(DecideFileDrop(0, "").action, DropAction::kIgnore);
  EXPECT_EQ(DecideFileDrop(3, "C:\\pics\\Sea.JPEG").action, DropAction::kOpenPicture);
  EXPECT_EQ(DecideFileDrop(1, "C:\\pics.png\\notes").message, "C:\\pics.png\\notes 不是有效的图片文件!");

  // The longest path the client opens passes; one character more is refused with the whole
  // name, never cut back to something that looks like a picture.
  const std::string folder = "C:\\" + std::string(200, 'a') + "\\";
  const std::string longest = folder + std::string(kLongestPath - folder.size() - 4, 'b') + ".jpg";
  EXPECT_EQ(DecideFileDrop(1, longest).action, DropAction::kOpenPicture);
  const std::string overlong = folder + std::string(kLongestPath - folder.size() - 3, 'b') + ".jpg";
  const DropDecision refused = DecideFileDrop(1, overlong);
  EXPECT_EQ(refused.action, DropAction::kNotAPicture);
  EXPECT_EQ(refused.message, overlong + " 不是有效的图片文件!");
}

}  // namespace
}  // namespace mb::floatbox
