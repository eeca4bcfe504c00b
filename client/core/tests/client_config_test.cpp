#include "client/core/client_config.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

const char kSite[] = "http://svc";

std::string Defaults(int layout) {
  const char* top[] = {"top10.html", "top10_2.html", "top10_3.html"};
  const char* search[] = {"search.html", "search2.html", "search3.html"};
  const char* member[] = {"member", "member2", "member3"};
  std::string hot = layout >= 1 && layout <= 3 ? std::string("http://svc/kivane/") + top[layout - 1] : "";
  std::string find = layout >= 1 && layout <= 3 ? std::string("http://svc/kivane/") + search[layout - 1] : "";
  std::string manage =
      layout >= 1 && layout <= 3 ? std::string("http://svc/kivane/") + member[layout - 1] + "/usermodi.jsp" : "";
  return "[USER]\r\nuser=\r\nwindowstart=0\r\nregister=0\r\nautostart=0\r\nsavepass=0\r\nenabletip=1\r\n"
         "hideicon=0\r\nshowfloatwindow=1\r\nconfver=1\r\ndownloadPath=@wallpaper\\\r\nmin=15\r\nsec=0\r\n"
         "currwallpaper=-1\r\nwallpaperplaytime=300\r\nwallpaperapply=0\r\nisfirstrun=1\r\n"
         "\r\n[GUI]\r\nframeleft=0\r\nframeright=0\r\nframetop=0\r\nframebottom=0\r\n"
         "floatwindowposition=4294967295\r\n"
         "\r\n[CLIENTID]\r\ncid=1\r\n"
         "\r\n[LINKLIST]\r\nregisterurl=http://svc/kivane/register.html\r\n"
         "lostpasswdurl=http://svc/kivane/findpass.html\r\nhotlisturl=" + hot + "\r\nsearchurl=" + find +
         "\r\nuploadurl=http://svc/kivane/upload.jsp\r\nreporturl=\r\nupdateurl=http://svc/update.jsp\r\n"
         "manageurl=" + manage + "\r\nviewuploadurl=http://svc/kivane/member/nowplist.jsp\r\n";
}

std::string WithFolder(std::string text, const std::string& folder) {
  text.replace(text.find('@'), 1, folder);
  return text;
}

void WriteLayoutFlag(const TempFolder& folder, std::int32_t layout) {
  char bytes[4];
  std::memcpy(bytes, &layout, 4);
  ASSERT_TRUE(WriteFileReplacing(folder.Path("usetwocolumn.flag"), std::string(bytes, 4)));
}

TEST(ClientConfig, WritesGoldenDefaultsForEveryLayout) {
  for (int layout : {1, 2, 3, 7}) {
    TempFolder folder;
    WriteLayoutFlag(folder, layout);
    { ClientConfig config({folder.Root(), kSite}); }
    EXPECT_EQ(ReadWholeFile(folder.Path("conf.dat")).value_or(""), WithFolder(Defaults(layout), folder.Root()))
        << "layout " << layout;
  }
}

TEST(ClientConfig, FirstRunCreatesFlagAndPutsLayoutTwoFilesInPlace) {
  TempFolder folder;
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf2.dat"), "[USER]\r\nuser=layout2\r\nmin=3\r\n"));
  ASSERT_TRUE(WriteFileReplacing(folder.Path("waitting2.gif"), "GIF89a"));
  ASSERT_TRUE(WriteFileReplacing(folder.Path("waitting.gif"), "old"));
  ClientConfig config({folder.Root(), kSite});
  EXPECT_EQ(config.skinLayout, 2);
  EXPECT_EQ(config.user, "layout2");
  EXPECT_EQ(config.minutes, 3);
  EXPECT_EQ(ReadWholeFile(folder.Path("usetwocolumn.flag")).value_or(""), std::string("\x02\0\0\0", 4));
  EXPECT_EQ(ReadWholeFile(folder.Path("waitting.gif")).value_or(""), "GIF89a");
}

TEST(ClientConfig, RoundTripKeepsEveryValue) {
  TempFolder folder;
  WriteLayoutFlag(folder, 3);
  {
    ClientConfig config({folder.Root(), kSite});
    config.user = "张三";
    config.startWithWindows = 1;
    config.registerPending = 1;
    config.savePassword = 1;
    config.enableTip = 0;
    config.hideIcon = 1;
    config.showFloatWindow = 0;
    config.confVersion = "7";
    config.minutes = 0;
    config.seconds = 45;
    config.wallpapers.SetCurrentIndex(12);
    config.wallpaperPlayTime = 99;
    config.wallpaperApply = 1;
    config.isFirstRun = 0;
    config.frame = {10, 20, 810, 620};
    config.floatWindowPosition = 5;
    config.cid = "88";
    config.reportUrl = "http://svc/report?a=1^2";
    config.SaveAccount("abc", "", 1, 0);
    config.SaveAccount("d,e\"f", "00ff", 0, 1);
  }
  ClientConfig loaded({folder.Root(), kSite});
  EXPECT_EQ(loaded.user, "张三");
  EXPECT_EQ(loaded.sessionUser, "张三");
  EXPECT_EQ(loaded.startWithWindows, 1);
  EXPECT_EQ(loaded.registerPending, 1);
  EXPECT_EQ(loaded.autoLogin, 0);  // SaveAccount set it to the last first flag
  EXPECT_EQ(loaded.savePassword, 1);
  EXPECT_EQ(loaded.enableTip, 0);
  EXPECT_EQ(loaded.hideIcon, 1);
  EXPECT_EQ(loaded.showFloatWindow, 0);
  EXPECT_EQ(loaded.confVersion, "7");
  EXPECT_EQ(loaded.minutes, 0);
  EXPECT_EQ(loaded.seconds, 45);
  EXPECT_EQ(loaded.wallpapers.CurrentIndex(), 12);
  EXPECT_EQ(loaded.wallpaperPlayTime, 99);
  EXPECT_EQ(loaded.wallpaperApply, 1);
  EXPECT_EQ(loaded.isFirstRun, 0);
  EXPECT_EQ(loaded.frame.right, 810);
  EXPECT_EQ(loaded.frame.bottom, 620);
  EXPECT_EQ(loaded.floatWindowPosition, 5);
  EXPECT_EQ(loaded.cid, "88");
  EXPECT_EQ(loaded.loadedClientId, "88");
  EXPECT_EQ(loaded.reportUrl, "http://svc/report?a=1^2");
  EXPECT_EQ(loaded.hotListUrl, "http://svc/kivane/top10_3.html");
  ASSERT_EQ(loaded.accounts.size(), 2u);
  EXPECT_EQ(loaded.accounts[0].user, "abc");
  EXPECT_EQ(loaded.accounts[1].user, "d,e\"f");
  EXPECT_EQ(loaded.accounts[1].passwordHex, "00ff");
  EXPECT_EQ(loaded.accounts[1].firstFlag, 0);
  EXPECT_EQ(loaded.accounts[1].rememberPassword, 1);
  const std::string text = loaded.FormatConfDat();
  EXPECT_NE(text.find("userlist=abc::::1::0,\"d,e\"\"f::00ff::0::1\"\r\n"), std::string::npos) << text;
}

TEST(ClientConfig, SavingAnAccountAgainMovesItToTheEnd) {
  TempFolder folder;
  ClientConfig config({folder.Root(), kSite});
  config.SaveAccount("a", "", 1, 0);
  config.SaveAccount("A", "", 1, 0);
  config.SaveAccount("b", "", 1, 0);
  config.SaveAccount("a", "11", 1, 1);
  config.SaveAccount("", "x", 1, 1);
  ASSERT_EQ(config.accounts.size(), 3u);
  EXPECT_EQ(config.accounts[0].user, "A");
  EXPECT_EQ(config.accounts[1].user, "b");
  EXPECT_EQ(config.accounts[2].user, "a");
  EXPECT_EQ(config.accounts[2].passwordHex, "11");
}

TEST(ClientConfig, MissingKeysKeepTheirDefaults) {
  TempFolder folder;
  WriteLayoutFlag(folder, 2);
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf.dat"),
                                 "[USER]\r\nuser=x\r\nwallpaperplaytime=0\r\nuserlist=ok::::1::0,bad::1,\r\n"
                                 "[GUI]\r\nfloatwindowposition=4294967295\r\n[LINKLIST]\r\nsearchurl=\r\n"
                                 "updateurl=http://elsewhere/u.jsp\r\n"));
  ClientConfig config({folder.Root(), kSite});
  EXPECT_EQ(config.isFirstRun, 1);
  EXPECT_EQ(config.wallpaperPlayTime, 300);
  EXPECT_EQ(config.enableTip, 0);  // a missing key reads as 0 once the section exists
  EXPECT_EQ(config.showFloatWindow, 0);
  EXPECT_EQ(config.minutes, 15);
  EXPECT_EQ(config.floatWindowPosition, -1);
  EXPECT_EQ(config.searchUrl, "http://svc/kivane/search2.html");
  EXPECT_EQ(config.updateUrl, "http://elsewhere/u.jsp");
  ASSERT_EQ(config.accounts.size(), 1u);
  EXPECT_EQ(config.accounts[0].user, "ok");
}

TEST(ClientConfig, CorruptFileIsKeptAndDefaultsAreUsed) {
  TempFolder folder;
  WriteLayoutFlag(folder, 2);
  const std::string corrupt = "[USER]\r\nuser=kept\r\n[USER]\r\nuser=twice\r\n";
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf.dat"), corrupt));
  {
    ClientConfig config({folder.Root(), kSite});
    EXPECT_EQ(config.user, "");
    EXPECT_EQ(config.minutes, 15);
  }
  EXPECT_EQ(ReadWholeFile(folder.Path("conf.dat.bad")).value_or(""), corrupt);
  EXPECT_EQ(ReadWholeFile(folder.Path("conf.dat")).value_or(""), WithFolder(Defaults(2), folder.Root()));
}

// The file with one key's line replaced; the key must be there.
std::string WithLine(std::string text, const std::string& key, const std::string& line) {
  const std::size_t at = text.find("\n" + key + "=");
  EXPECT_NE(at, std::string::npos) << key;
  if (at == std::string::npos) return text;
  const std::size_t end = text.find("\r\n", at);
  text.replace(at + 1, end - at - 1, line);
  return text;
}

TEST(ClientConfig, TextsStandAsTheyAreAndOnlyTheAccountListIsQuoted) {
  TempFolder folder;
  WriteLayoutFlag(folder, 2);
  {
    ClientConfig config({folder.Root(), kSite});
    config.user = "x^y,\"z\"";
    config.reportUrl = "http://svc/r?a=1^2,\"3\"";
    config.SaveAccount("a^b", "", 1, 0);
    config.SaveAccount("c,d", "", 1, 0);
    config.SaveAccount("e\"f", "0a1b", 0, 1);
  }
  std::string expected = WithFolder(Defaults(2), folder.Root());
  expected = WithLine(expected, "user", "user=x^y,\"z\"");
  expected = WithLine(expected, "autostart", "autostart=0");
  expected = WithLine(expected, "isfirstrun", "isfirstrun=1\r\nuserlist=a^^b::::1::0,\"c,d::::1::0\",\"e\"\"f::0a1b::0::1\"");
  expected = WithLine(expected, "reporturl", "reporturl=http://svc/r?a=1^2,\"3\"");
  EXPECT_EQ(ReadWholeFile(folder.Path("conf.dat")).value_or(""), expected);

  ClientConfig loaded({folder.Root(), kSite});
  EXPECT_EQ(loaded.user, "x^y,\"z\"");
  EXPECT_EQ(loaded.reportUrl, "http://svc/r?a=1^2,\"3\"");
  ASSERT_EQ(loaded.accounts.size(), 3u);
  EXPECT_EQ(loaded.accounts[0].user, "a^b");
  EXPECT_EQ(loaded.accounts[1].user, "c,d");
  EXPECT_EQ(loaded.accounts[2].user, "e\"f");
  EXPECT_EQ(loaded.accounts[2].passwordHex, "0a1b");
}

TEST(ClientConfig, ValuesAreCutWhereTheyWouldBreakTheirLine) {
  TempFolder folder;
  WriteLayoutFlag(folder, 2);
  {
    ClientConfig config({folder.Root(), kSite});
    config.reportUrl = "http://x/\r\n[USER]\r\nuser=injected";
    config.cid = std::string("7\0tail", 6);
    config.confVersion = "2\nconfver=9";
    config.SaveAccount("line\nbreak", "", 1, 0);  // the account list keeps it as ^J
  }
  const std::string text = ReadWholeFile(folder.Path("conf.dat")).value_or("");
  EXPECT_NE(text.find("\r\nreporturl=http://x/\r\nupdateurl="), std::string::npos) << text;
  EXPECT_NE(text.find("\r\ncid=7\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nconfver=2\r\ndownloadPath="), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nuserlist=line^Jbreak::::1::0\r\n"), std::string::npos) << text;
  ClientConfig loaded({folder.Root(), kSite});
  EXPECT_EQ(loaded.reportUrl, "http://x/");
  EXPECT_EQ(loaded.user, "");
  EXPECT_EQ(loaded.cid, "7");
  EXPECT_EQ(loaded.confVersion, "2");
}

TEST(ClientConfig, FilesWrittenWithEscapedTextsStillRead) {
  TempFolder folder;
  WriteLayoutFlag(folder, 2);
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf.dat"),
                                 "[USER]\r\nuser=x^^y\r\nuserlist=a^^^^b::::1::0,\"c,d::::1::0\"\r\n"
                                 "[LINKLIST]\r\nreporturl=http://x/^M^J[USER]^M^Jq=1^^2\r\n"));
  ClientConfig config({folder.Root(), kSite});
  EXPECT_EQ(config.user, "x^y");
  EXPECT_EQ(config.reportUrl, "http://x/\r\n[USER]\r\nq=1^2");
  ASSERT_EQ(config.accounts.size(), 2u);
  EXPECT_EQ(config.accounts[0].user, "a^b");
  EXPECT_EQ(config.accounts[1].user, "c,d");
}

TEST(ClientConfig, ReadsTheListsAtStartAndWritesTheCarouselListBack) {
  TempFolder folder;
  ASSERT_TRUE(WriteFileReplacing(folder.Path("wallpaper.dat"), "C:\\a.jpg\r\n\r\nC:\\b.jpg\r\n"));
  DownloadRecord record;
  record.localPath = "C:\\pics\\1.jpg";
  ASSERT_TRUE(AppendDownloadInfo(folder.Path("downloadinfo.res"), record));
  {
    ClientConfig config({folder.Root(), kSite});
    EXPECT_EQ(config.wallpapers.Paths(), (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg"}));
    ASSERT_EQ(config.downloadRecords.size(), 1u);
    EXPECT_EQ(config.downloadRecords[0].localPath, "C:\\pics\\1.jpg");
    config.wallpapers.Add("C:\\c.jpg");
  }
  ClientConfig again({folder.Root(), kSite});
  EXPECT_EQ(again.wallpapers.Count(), 3);
}

TEST(ClientConfig, GlobalInstanceLivesBetweenCreateAndDestroy) {
  TempFolder folder;
  EXPECT_EQ(GetClientConfig(), nullptr);
  ASSERT_TRUE(CreateClientConfig({folder.Root(), kSite}));
  ASSERT_NE(GetClientConfig(), nullptr);
  GetClientConfig()->user = "saved at exit";
  DestroyClientConfig();
  EXPECT_EQ(GetClientConfig(), nullptr);
  EXPECT_NE(ReadWholeFile(folder.Path("conf.dat")).value_or("").find("user=saved at exit"), std::string::npos);
}

}  // namespace
}  // namespace mb
