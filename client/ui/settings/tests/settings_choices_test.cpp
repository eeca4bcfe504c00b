// The settings windows' decisions: the carousel boxes read and checked as the member typed
// them, what the boxes let through, and which Startup folder takes the shortcut.
#include <gtest/gtest.h>

#include "client/core/carousel_times.h"
#include "client/ui/settings/autostart_place.h"
#include "client/ui/settings/carousel_box_filter.h"

namespace mb::settings {
namespace {

std::string Check(const char* minutes, const char* seconds, bool secondsRange) {
  return CheckCarouselTimes(ReadCarouselTimes(minutes, seconds), secondsRange, true);
}

TEST(CarouselBoxes, TextsReadAndCheckedForThePageAndTheTimeDialog) {
  const std::string seconds = "秒数设置最小为0，最大为60，请重新设置!";
  const std::string zero = "时间设置必须大于0", tooLong = "时间设置过长，请重新设置!";
  EXPECT_EQ(Check("0", "60", true), "");
  EXPECT_EQ(Check("0", "61", true), seconds);
  EXPECT_EQ(Check("0", "61", false), "");  // the time dialog takes 61 s and more
  EXPECT_EQ(Check("0", "90", false), "");
  EXPECT_EQ(Check("0", "0", true), zero);
  EXPECT_EQ(Check("0", "0", false), zero);
  EXPECT_EQ(Check("", "", false), zero);   // empty boxes count 0
  EXPECT_EQ(Check("abc", "", false), zero);
  EXPECT_EQ(Check("-1", "30", false), zero);
  EXPECT_EQ(Check("-1", "90", true), seconds);  // the seconds' range is told first
  EXPECT_EQ(Check("999999", "0", false), tooLong);
  EXPECT_EQ(Check("99999", "59", true), tooLong);  // five digits still pass the timer's longest
  EXPECT_EQ(Check("35791", "23", true), "");
  EXPECT_EQ(Check("99999999999999999999", "0", false), tooLong);  // no wrap to a small number
  EXPECT_EQ(Check("-99999999999999999999", "0", false), zero);
  const CarouselTimes read = ReadCarouselTimes(" 12.5", "7x");
  EXPECT_EQ(read.minutes, 12);
  EXPECT_EQ(read.seconds, 7);
}

TEST(CarouselBoxes, TypedAndPastedCharacters) {
  // '0', '5', '9', '.' and the control codes; then '-', '+', 'a', ' ' and others.
  for (unsigned code : {48u, 53u, 57u, 46u, 1u, 2u, 8u, 9u, 20u}) EXPECT_TRUE(IsCarouselBoxCharacter(code)) << code;
  for (unsigned code : {45u, 43u, 97u, 32u, 13u, 22u, 0xB2u, 0u}) EXPECT_FALSE(IsCarouselBoxCharacter(code)) << code;
  EXPECT_TRUE(IsCarouselBoxPaste("120"));
  EXPECT_TRUE(IsCarouselBoxPaste("1.5"));
  for (const char* text : {"", "-1", "12a", " 3", "3\r\n", "\xB6\xFE"}) EXPECT_FALSE(IsCarouselBoxPaste(text)) << text;
}

TEST(AutoStart, StartupFolderChoiceAndEveryPlaceToDelete) {
  const std::string allUsers = "C:\\Documents and Settings\\All Users\\「开始」菜单\\程序\\启动\\";
  const std::string user = "C:\\Documents and Settings\\张三\\「开始」菜单\\程序\\启动\\";
  const std::string common = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\";
  EXPECT_EQ(AutoStartFolder({allUsers, user}), user);
  EXPECT_EQ(AutoStartFolder({common, user}), common);
  EXPECT_EQ(AutoStartFolder({"", user}), user);
  EXPECT_EQ(AutoStartFolder({allUsers, ""}), "");
  EXPECT_EQ(AutoStartShortcutPaths({allUsers, user}),
            (std::vector<std::string>{allUsers + "墨岚屏.lnk", user + "墨岚屏.lnk"}));
  EXPECT_EQ(AutoStartShortcutPaths({user, user}), (std::vector<std::string>{user + "墨岚屏.lnk"}));
  EXPECT_EQ(AutoStartShortcutPaths({"", ""}), std::vector<std::string>{});
}

}  // namespace
}  // namespace mb::settings
