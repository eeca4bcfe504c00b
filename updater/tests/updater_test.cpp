#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "updater/download_address.h"
#include "updater/package_check.h"
#include "updater/temporary_name.h"
#include "updater/update_reply.h"
#include "updater/updater_command_line.h"

namespace mb {
namespace {

TEST(UpdaterCommandLine, SwitchAtTheStartOrAfterABlankInAnyCaseWithModeZeroOrOne) {
  auto start = ParseUpdaterCommandLine("/m0http://h:1/kivane/update.jsp");
  ASSERT_TRUE(start);
  EXPECT_EQ(start->mode, '0');
  EXPECT_EQ(start->url, "http://h:1/kivane/update.jsp");

  auto afterBlank = ParseUpdaterCommandLine("x /M1http://h/u.jsp?a=/m9");
  ASSERT_TRUE(afterBlank);
  EXPECT_EQ(afterBlank->mode, '1');
  EXPECT_EQ(afterBlank->url, "http://h/u.jsp?a=/m9");

  auto bare = ParseUpdaterCommandLine("/m0");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->url, "");

  for (const char* refused : {"", "/m", "/m2http://h/", "x/m0http://h/", "http://h/", "/x0", " /ma"}) {
    EXPECT_FALSE(ParseUpdaterCommandLine(refused)) << refused;
  }
}

TEST(UpdateReply, KeysInAnyCaseValuesAsSent) {
  const UpdateCheckResult none = ParseUpdateReply("NEED=0\r\n");
  EXPECT_EQ(none.kind, UpdateCheckResult::Kind::kNotNeeded);
  EXPECT_EQ(none.text, kCheckNotNeededText);

  const UpdateCheckResult offer =
      ParseUpdateReply("Need=1\r\nVersion=2.0.0.1\r\nURL=http://Host:80/Download/New Setup.EXE\t\r\nx=1");
  ASSERT_EQ(offer.kind, UpdateCheckResult::Kind::kDownload);
  EXPECT_EQ(offer.url, "http://Host:80/Download/NewSetup.EXE");
  EXPECT_EQ(offer.version, "2.0.0.1");

  const UpdateCheckResult noUrl = ParseUpdateReply("need=1\nversion=3\n");
  EXPECT_EQ(noUrl.kind, UpdateCheckResult::Kind::kFailure);
  EXPECT_EQ(noUrl.text, kCheckNoAddressText);
  EXPECT_EQ(ParseUpdateReply("url= \t\r\nneed=2").text, kCheckNoAddressText);

  EXPECT_EQ(ParseUpdateReply("<html>404</html>").text, kCheckBadReplyText);
  EXPECT_EQ(ParseUpdateReply("").text, kCheckBadReplyText);
}

TEST(UpdaterAddresses, CheckAddressSplitAndRequestLine) {
  EXPECT_EQ(VersionCheckAddress("http://h/kivane/update.jsp", ""), "http://h/kivane/update.jsp?version=");
  EXPECT_EQ(VersionCheckAddress("http://h/u.jsp", "1.2.3.4"), "http://h/u.jsp?version=1.2.3.4");

  auto plain = SplitHttpAddress("HTTP://127.0.0.1:18080/Download/Setup.exe?v=1");
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->secure);
  EXPECT_EQ(plain->host, "127.0.0.1");
  EXPECT_EQ(plain->port, 18080);
  EXPECT_EQ(plain->path, "/Download/Setup.exe?v=1");
  auto secure = SplitHttpAddress("https://h");
  ASSERT_TRUE(secure);
  EXPECT_TRUE(secure->secure);
  EXPECT_EQ(secure->port, 443);
  EXPECT_EQ(secure->path, "/");
  for (const char* refused : {"ftp://h/x", "file:///c:/x.exe", "http://", "http://:80/", "http://h:0/",
                              "http://h:99999/", "http://h:8a/", "C:\\setup.exe"}) {
    EXPECT_FALSE(SplitHttpAddress(refused)) << refused;
  }

  // Escapes are decoded, then anything that could break the request line is escaped again.
  EXPECT_EQ(RequestLinePath("/a%20b/%41%0D%0AHost:%20x%zz%4"), "/a%20b/A%0D%0AHost:%20x%zz%4");
  EXPECT_EQ(RequestLinePath("/x y\t\x7f"), "/x%20y%09%7F");
}

TEST(TemporaryName, ExistingNamesAreRemovedAndTheFirstFreeOneTaken) {
  std::set<std::string> present = {"T\\rkupTmp0.exe", "T\\rkupTmp1.exe", "T\\rkupTmp3.exe"};
  std::vector<std::string> removed;
  const std::string name = ChooseTemporaryName(
      "T\\", [&](const std::string& n) { return present.count(n) > 0; },
      [&](const std::string& n) { removed.push_back(n); });
  EXPECT_EQ(name, "T\\rkupTmp2.exe");
  EXPECT_EQ(removed, (std::vector<std::string>{"T\\rkupTmp0.exe", "T\\rkupTmp1.exe"}));

  int removals = 0;
  EXPECT_EQ(ChooseTemporaryName("T\\", [](const std::string&) { return true; }, [&](const std::string&) { ++removals; }),
            "");
  EXPECT_EQ(removals, 100);
  EXPECT_EQ(ChooseTemporaryName("", [](const std::string&) { return false; }, [](const std::string&) {}), "");
}

TEST(PackageCheck, OnlyAWholeNewerProgramFromAnHttpAnswerWithStatus200) {
  PackageFacts good;
  good.address = "http://h/Download/Setup.exe";
  good.status = 200;
  good.contentLength = 1000;
  good.received = 1000;
  good.head = "MZ";
  good.fileVersion = "9.0.0.0";
  good.sentVersion = "1.0.0.0";
  EXPECT_EQ(RefusePackage(good), "");

  PackageFacts noLength = good;
  noLength.contentLength.reset();
  noLength.sentVersion.clear();
  EXPECT_EQ(RefusePackage(noLength), "");

  auto refused = [&](auto change) {
    PackageFacts facts = good;
    change(facts);
    return !RefusePackage(facts).empty();
  };
  EXPECT_TRUE(refused([](PackageFacts& f) { f.address = "file:///c:/x.exe"; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.status = 404; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.received = 500; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.readFailed = true; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.head = "<h"; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.head = "M"; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.fileVersion.reset(); }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.fileVersion = "1.0.0.0"; }));
  EXPECT_TRUE(refused([](PackageFacts& f) { f.fileVersion = "0.9.9.9"; }));
}

}  // namespace
}  // namespace mb
