// The client's periphery without windows: the advert list and its schedule, usage report
// batches and records, the tray menu's place and the skin switch's files.
#include <gtest/gtest.h>

#include <cstring>

#include "client/core/advert_schedule.h"
#include "client/core/client_config.h"
#include "client/core/skin_switch.h"
#include "client/core/tray_menu_geometry.h"
#include "client/core/usage_report.h"
#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

const std::string kCategory = "\xB7\xE7\xBE\xB0";  // "风景" in GBK

TEST(AdvertSchedule, ParsesLinesSkipsShortOrUnsafeOnesAndTheFirstSlotOfTheMinuteWins) {
  const std::string list =
      "http://s/a.png,morning,go,480,540,-200,-20,-150,-20\r\n"
      "http://s/b.bmp?v=2#top,evening,see,510,600,1,2,3,4,extra\n"
      "http://s/c.png,eight,fields,1,2,3,4,5\n"
      "http://s/d.png,empty,,0,1439,1,2,3,4\n"
      "\n"
      "http://s/e.gif,..,x,0,1439,1,2,3,4\n"
      "http://s/f.gif,con,x,0,1439,1,2,3,4\n"
      "http://s/noext,name,x,0,1439,1,2,3,4\n"
      "http://s/g.jpg,late,x,700,10,1,2,3,4\n"
      "http://s/h.jpg,digits,x,12abc,+30,-0,x,7,8";
  const std::vector<AdSlot> slots = ParseAdvertList(list, "C:\\mb\\");
  ASSERT_EQ(slots.size(), 4u);
  EXPECT_EQ(slots[0].localPath, "C:\\mb\\conf\\morning.png");
  EXPECT_EQ(slots[0].hoverText, "go");
  EXPECT_EQ((std::vector<int>{slots[0].left, slots[0].top, slots[0].right, slots[0].bottom}),
            (std::vector<int>{-200, -150, -20, -20}));
  EXPECT_EQ(slots[1].localPath, "C:\\mb\\conf\\evening.bmp");
  EXPECT_EQ(slots[1].pictureUrl, "http://s/b.bmp?v=2#top");
  EXPECT_EQ((std::vector<int>{slots[3].startMinute, slots[3].endMinute, slots[3].left, slots[3].right}),
            (std::vector<int>{12, 30, 0, 0}));

  EXPECT_EQ(FindAdSlot(slots, 525)->pictureName, "morning");  // 480-540 and 510-600 both hold it
  EXPECT_EQ(FindAdSlot(slots, 541)->pictureName, "evening");
  EXPECT_EQ(FindAdSlot(slots, 600)->pictureName, "evening");
  EXPECT_EQ(FindAdSlot(slots, 601), nullptr);
  EXPECT_EQ(FindAdSlot(slots, 800), nullptr);  // 700-10 holds no minute

  AdvertSchedule schedule;
  EXPECT_TRUE(schedule.Choose(525).picturePath.empty());
  schedule.Replace(slots);
  const AdvertChoice choice = schedule.Choose(479 + 1);
  EXPECT_EQ(choice.picturePath, "C:\\mb\\conf\\morning.png");
  EXPECT_EQ(choice.top, -150);

  EXPECT_EQ(AdvertUrlExtension("http://s/x.y/pic.JPG?a=b.c"), "JPG");
  EXPECT_EQ(AdvertUrlExtension("http://s/x.y/pic"), "");
  OverlayFileNames names;
  EXPECT_EQ(names.Next("C:\\mb\\"), "C:\\mb\\wallpaper\\ads0.bmp");
  EXPECT_EQ(names.Next("C:\\mb\\"), "C:\\mb\\wallpaper\\ads1.bmp");
  EXPECT_EQ(names.Next("C:\\mb\\"), "C:\\mb\\wallpaper\\ads0.bmp");
}

std::vector<std::size_t> BatchSizes(UsageList& usage, std::int32_t minSeconds) {
  std::vector<std::size_t> sizes;
  for (ReportBatch b; (b = TakeReportBatch(usage, {}, minSeconds)).count > 0;) {
    sizes.push_back(b.count);
    if (b.count < kReportBatchSize) break;
  }
  return sizes;
}

TEST(UsageReport, BatchesOfTenStopAtTheFirstShortItemAndRecordsAreEncodedFieldByField) {
  struct Case {
    std::vector<std::int32_t> seconds;
    std::vector<std::size_t> batches;
    std::size_t left;
  };
  const Case cases[] = {
      {std::vector<std::int32_t>(23, 400), {10, 10, 3}, 0},
      {{100, 400, 400}, {}, 3},
      {{400, 300, 999, 301, 5, 400}, {4}, 2},
  };
  for (const Case& c : cases) {
    UsageList usage;
    for (std::size_t i = 0; i < c.seconds.size(); ++i) usage.AddDisplayTime("p" + std::to_string(i), c.seconds[i], 0);
    EXPECT_EQ(BatchSizes(usage, 300), c.batches);
    EXPECT_EQ(usage.Items().size(), c.left);
  }

  DownloadRecord record;
  record.localPath = "C:\\mb\\wallpaper\\" + kCategory + "\\lake.jpg";
  record.category = kCategory;
  record.f2 = "a,b";
  record.f3 = "7";
  record.f4 = "x;y";
  record.f5 = "z";
  EXPECT_EQ(FormatUsageRecord({"lake.jpg", 420, 0}, {record}), "lake.jpg,420,%B7%E7%BE%B0,7,a%2Cb,x%3By,z;");
  EXPECT_EQ(FormatUsageRecord({"other.jpg", 5, 0}, {record}), "other.jpg,5,,,,,;");
  UsageList usage;
  usage.AddDisplayTime("lake.jpg", 420, 0);
  usage.AddDisplayTime("ad.png", 300, 0);
  const ReportBatch batch = TakeReportBatch(usage, {record}, 300);
  EXPECT_EQ(ReportAddress("http://s/kivane/report.jsp", batch),
            "http://s/kivane/report.jsp?fn=lake.jpg,420,%B7%E7%BE%B0,7,a%2Cb,x%3By,z;ad.png,300,,,,,;");

  EXPECT_EQ(PageViewAddress("http://s", "\xD5\xC5 &", "C:\\mb\\wallpaper\\" + kCategory + "\\lake.jpg",
                            "C:\\mb\\wallpaper\\"),
            "http://s/conf/pv.png?user=%D5%C5%20%26&f=%B7%E7%BE%B0%5Clake.jpg");
}

TEST(TrayMenuGeometry, OpensAboveTheCursorAndStaysOnTheScreen) {
  const MenuRect work{0, 0, 1024, 740};
  struct Case {
    int x, y;
    MenuRect expected;
  };
  const Case cases[] = {
      {500, 700, {400, 420, 600, 700}},
      {1014, 700, {832, 420, 1032, 700}},  // 10 px from the edge: right edge at the maximised width
      {20, 700, {0, 420, 200, 700}},
      {500, 760, {400, 460, 600, 740}},   // over the task bar: bottom at the work area's
      {500, 100, {400, 0, 600, 280}},
  };
  for (const Case& c : cases) {
    const MenuRect r = PlaceTrayMenu(c.x, c.y, 201, 280, 1032, work);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.x << "," << c.y;
  }
}

TEST(SkinSwitch, ReplacesTheFourFilesKeepsTheAccountsAndChangesNothingOnFailure) {
  EXPECT_EQ(LayoutFlagBytes(3), std::string("\x03\0\0\0", 4));
  const std::vector<SkinFileCopy> files = SkinLayoutFiles(3);
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].from + ">" + files[0].to + " " + files[3].from + ">" + files[3].to,
            "conf3.dat>conf.dat waitting3.gif>waitting.gif");

  TempFolder folder;
  ASSERT_TRUE(WriteFileReplacing(folder.Path("usetwocolumn.flag"), LayoutFlagBytes(2)));
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf.dat"),
                                 "[USER]\r\nuser=demo\r\nmin=7\r\nuserlist=demo::ab::1::1\r\n"
                                 "[GUI]\r\nframeleft=5\r\n"));
  ClientConfig config({folder.Root(), "http://svc"});
  ASSERT_EQ(config.accounts.size(), 1u);
  for (const char* name : {"default3.config", "default3.bmp"}) ASSERT_TRUE(WriteFileReplacing(folder.Path(name), name));
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf3.dat"),
                                 "[USER]\r\nuser=layout3\r\nmin=1\r\n[GUI]\r\nframeleft=40\r\nframebottom=600\r\n"
                                 "[LINKLIST]\r\nsearchurl=http://svc/kivane/search3.html\r\n"));
  // Without its waiting animation layout 3 is incomplete: nothing changes.
  EXPECT_EQ(SwitchSkinFiles(config, 2, 3), SkinSwitchResult::kFailed);
  EXPECT_EQ(ReadWholeFile(folder.Path("usetwocolumn.flag")), LayoutFlagBytes(2));
  EXPECT_FALSE(FileExists(folder.Path("default.config")));
  EXPECT_FALSE(FileExists(folder.Path("default.config.switch")));

  ASSERT_TRUE(WriteFileReplacing(folder.Path("waitting3.gif"), "GIF89a"));
  EXPECT_EQ(SwitchSkinFiles(config, 3, 3), SkinSwitchResult::kSameLayout);
  EXPECT_FALSE(FileExists(folder.Path("waitting.gif")));
  EXPECT_EQ(SwitchSkinFiles(config, 2, 3), SkinSwitchResult::kSwitched);
  EXPECT_EQ(ReadWholeFile(folder.Path("usetwocolumn.flag")), LayoutFlagBytes(3));
  EXPECT_EQ(ReadWholeFile(folder.Path("waitting.gif")), "GIF89a");
  EXPECT_EQ(ReadWholeFile(folder.Path("default.bmp")), "default3.bmp");
  EXPECT_EQ(config.user, "demo");
  EXPECT_EQ(config.minutes, 7);
  ASSERT_EQ(config.accounts.size(), 1u);
  EXPECT_EQ(config.frame.left, 40);
  EXPECT_EQ(config.frame.bottom, 600);
  EXPECT_EQ(config.searchUrl, "http://svc/kivane/search3.html");
}

}  // namespace
}  // namespace mb
