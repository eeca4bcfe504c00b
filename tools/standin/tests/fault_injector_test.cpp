// Fault switches, the control commands that flip them and the command line that presets them.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "tools/standin/control_channel.h"
#include "tools/standin/fault_injector.h"
#include "tools/standin/standin_options.h"

namespace standin {
namespace {

using namespace std::chrono_literals;

TEST(FaultTest, NamesReadAndWriteBack) {
  for (const char* name : {"none", "refuse", "stall", "garbage", "truncate", "empty", "foreign-charset", "zero",
                           "status:404"}) {
    std::optional<Fault> fault = ParseFault(name);
    ASSERT_TRUE(fault) << name;
    EXPECT_EQ(FaultName(*fault), name);
  }
  EXPECT_EQ(ParseFault("500"), (Fault{FaultKind::kStatus, 500}));
  for (const char* bad : {"", "abc", "status:", "status:99", "600", "4040", "40x", "Stall"}) {
    EXPECT_FALSE(ParseFault(bad)) << bad;
  }
}

TEST(FaultInjectorTest, OwnPathBeatsTheWildcard) {
  FaultInjector faults;
  EXPECT_EQ(faults.For("/a").kind, FaultKind::kNone);
  faults.Set("*", Fault{FaultKind::kGarbage, 0});
  faults.Set("/a", Fault{FaultKind::kStatus, 404});
  EXPECT_EQ(faults.For("/a"), (Fault{FaultKind::kStatus, 404}));
  EXPECT_EQ(faults.For("/b").kind, FaultKind::kGarbage);
  faults.Set("/a", Fault{});
  EXPECT_EQ(faults.For("/a").kind, FaultKind::kGarbage) << "'none' removes the path's own fault";
  faults.ClearAll();
  EXPECT_EQ(faults.For("/b").kind, FaultKind::kNone);
}

// Starts a request that stalls on path and returns whether it may be answered.
std::future<bool> StalledRequest(FaultInjector& faults, const std::string& path) {
  auto result = std::async(std::launch::async, [&faults, path] { return faults.AwaitStallEnd(path); });
  EXPECT_EQ(result.wait_for(100ms), std::future_status::timeout) << "the request must stall";
  return result;
}

TEST(FaultInjectorTest, StallEndsWhenLiftedReleasedOrStopped) {
  FaultInjector faults;
  faults.Set("/s", Fault{FaultKind::kStall, 0});

  std::future<bool> lifted = StalledRequest(faults, "/s");
  faults.Set("/s", Fault{});
  EXPECT_TRUE(lifted.get());

  faults.Set("/s", Fault{FaultKind::kStall, 0});
  std::future<bool> released = StalledRequest(faults, "/s");
  faults.ReleaseStalls();
  EXPECT_TRUE(released.get());

  // After a release the path still stalls newcomers.
  std::future<bool> later = StalledRequest(faults, "/s");
  faults.ClearAll();
  EXPECT_TRUE(later.get());

  faults.Set("*", Fault{FaultKind::kStall, 0});
  std::future<bool> stopped = StalledRequest(faults, "/any");
  faults.Stop();
  EXPECT_FALSE(stopped.get()) << "a stopping service answers no stalled request";
  EXPECT_FALSE(faults.AwaitStallEnd("/any")) << "nor one that stalls after the stop";
}

TEST(FaultInjectorTest, ASwitchOnAnotherPathDoesNotReleaseAStall) {
  FaultInjector faults;
  faults.Set("/s", Fault{FaultKind::kStall, 0});
  std::future<bool> stalled = StalledRequest(faults, "/s");
  faults.Set("/other", Fault{FaultKind::kRefuse, 0});
  EXPECT_EQ(stalled.wait_for(100ms), std::future_status::timeout);
  faults.Stop();
  EXPECT_FALSE(stalled.get());
}

TEST(ControlChannelTest, CommandsSwitchFaultsAndCharset) {
  FaultInjector faults;
  std::atomic<ReplyCharset> charset{ReplyCharset::kGbk};
  InstallerOffer installer({});
  int stamp = 0;
  ControlChannel control(faults, charset, installer, [&stamp](int value) { stamp = value; });
  EXPECT_EQ(control.Apply("fault /kivane/passport.jsp stall\r\n\n  fault * 500\ncharset utf-8\ntoplist-stamp -9\n"), "");
  EXPECT_EQ(stamp, -9);
  EXPECT_EQ(control.Apply("toplist-stamp 7x"), "bad stamp: 7x");
  EXPECT_EQ(faults.For("/kivane/passport.jsp").kind, FaultKind::kStall);
  EXPECT_EQ(faults.For("/x"), (Fault{FaultKind::kStatus, 500}));
  EXPECT_EQ(charset.load(), ReplyCharset::kUtf8);
  EXPECT_EQ(control.Apply("clear"), "");
  EXPECT_EQ(faults.For("/kivane/passport.jsp").kind, FaultKind::kNone);
}

TEST(ControlChannelTest, ABadLineStopsTheRestAndSaysWhy) {
  FaultInjector faults;
  std::atomic<ReplyCharset> charset{ReplyCharset::kGbk};
  InstallerOffer installer({});
  ControlChannel control(faults, charset, installer);
  EXPECT_EQ(control.Apply("fault /a refuse\nfault /b sometimes\nfault /c refuse"),
            "unknown fault: sometimes");
  EXPECT_EQ(faults.For("/a").kind, FaultKind::kRefuse);
  EXPECT_EQ(faults.For("/c").kind, FaultKind::kNone);
  EXPECT_EQ(control.Apply("charset latin1"), "unknown charset: latin1");
  EXPECT_EQ(control.Apply("fault /a"), "bad command: fault /a");
  EXPECT_EQ(control.Apply("reboot"), "bad command: reboot");
  EXPECT_EQ(control.Apply("installer 2.0 /tmp/p.exe Download/x.exe"),
            "a download path starts with '/': Download/x.exe");
  EXPECT_EQ(control.Apply("installer 2.0 /tmp/p.exe"), "bad command: installer 2.0 /tmp/p.exe");
  EXPECT_EQ(charset.load(), ReplyCharset::kGbk);
  EXPECT_EQ(installer.Current().version, "");
}

TEST(StandinOptionsTest, FlagsInBothFormsAndRepeatedFaults) {
  const char* argv[] = {"standin", "--port", "0", "--log=/tmp/x.jsonl", "--charset", "undeclared",
                        "--fault", "/kivane/getad.html=stall", "--fault=*=status:503",
                        "--account", "李四:pa:ss", "--ad-time", "5", "--update-version", "1.0.0.2"};
  StandinOptions o;
  ASSERT_EQ(ParseOptions(static_cast<int>(std::size(argv)), argv, o), "");
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.logPath, "/tmp/x.jsonl");
  EXPECT_EQ(o.charset, ReplyCharset::kGbkUndeclared);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[0].first, "/kivane/getad.html");
  EXPECT_EQ(o.faults[0].second.kind, FaultKind::kStall);
  EXPECT_EQ(o.faults[1].first, "*");
  EXPECT_EQ(o.faults[1].second, (Fault{FaultKind::kStatus, 503}));
  ASSERT_EQ(o.accounts.size(), 1u);
  EXPECT_EQ(o.accounts[0].name, "李四");
  EXPECT_EQ(o.accounts[0].password, "pa:ss") << "the password may hold colons";
  EXPECT_EQ(o.service.adTime, 5);
  EXPECT_EQ(o.service.updateVersion, "1.0.0.2");
}

TEST(StandinOptionsTest, BadArgumentsAreNamed) {
  struct Case {
    std::vector<const char*> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--port", "70000"}, "bad port: 70000"},
      {{"--port", "80x"}, "bad port: 80x"},
      {{"--fault", "/a"}, "bad fault (PATH=MODE): /a"},
      {{"--fault", "/a=flaky"}, "bad fault (PATH=MODE): /a=flaky"},
      {{"--account", "nopassword"}, "bad account (NAME:PASSWORD): nopassword"},
      {{"--account", "\xF0\x9F\x98\x80:x"}, "account name has no GBK form: \xF0\x9F\x98\x80"},
      {{"--verbose", "1"}, "unknown option: --verbose"},
      {{"--log"}, "missing value for --log"},
      {{"stray"}, "unexpected argument: stray"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"standin"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    StandinOptions o;
    EXPECT_EQ(ParseOptions(static_cast<int>(argv.size()), argv.data(), o), c.error);
  }
}

}  // namespace
}  // namespace standin
