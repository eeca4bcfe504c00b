// The stand-in service end to end, in process: routes, request log, fault switches, charsets.
#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <thread>

#include "common/tests/temp_folder.h"
#include "tools/standin/request_record.h"
#include "tools/standin/standin_server.h"
#include "tools/standin/text_codec.h"

namespace standin {
namespace {

using namespace std::chrono_literals;

const char kMd5Of123456[] = "e10adc3949ba59abbe56e057f20f883e";
const char kZhangSanEncoded[] = "%D5%C5%C8%FD";  // 张三 in GBK, percent-encoded

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class StandinServerTest : public ::testing::Test {
 protected:
  void Start(StandinOptions options = {}) {
    options.port = 0;
    options.logPath = folder_.Path("requests.jsonl");
    server_ = std::make_unique<StandinServer>(options);
    port_ = server_->Bind();
    ASSERT_GT(port_, 0) << server_->error();
    runner_ = std::thread([this] { server_->Run(); });
  }

  void TearDown() override {
    if (!server_) return;
    server_->Stop();
    runner_.join();
  }

  std::unique_ptr<httplib::Client> NewClient() {
    auto client = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client->set_url_encode(false);  // targets go out exactly as the tests write them
    client->set_read_timeout(5, 0);
    return client;
  }

  httplib::Result Get(const std::string& target) { return NewClient()->Get(target.c_str()); }
  httplib::Result Post(const std::string& target, const std::string& body = "") {
    return NewClient()->Post(target.c_str(), body, "application/x-www-form-urlencoded");
  }

  void Control(const std::string& commands) {
    httplib::Result r = Post(kControlPath, commands);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200) << r->body;
  }

  std::vector<RequestRecord> Log() {
    std::ifstream in(folder_.Path("requests.jsonl"));
    std::vector<RequestRecord> records;
    std::string line;
    while (std::getline(in, line)) {
      RequestRecord r;
      EXPECT_TRUE(ParseRecordLine(line, r)) << line;
      records.push_back(r);
    }
    return records;
  }

  // Sends raw request bytes and returns everything the service sends back until it closes.
  std::string RawExchange(const std::string& request) {
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port_));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        send(sock, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
      char buffer[4096];
      ssize_t n;
      while ((n = recv(sock, buffer, sizeof buffer, 0)) > 0) reply.append(buffer, n);
    }
    close(sock);
    return reply;
  }

  std::string LoginTarget(const std::string& user, const std::string& digest) {
    return "/kivane/passport.jsp?user=" + user + "&pass=" + digest + "&clientver=1&confver=1";
  }

  mb::TempFolder folder_;
  std::unique_ptr<StandinServer> server_;
  std::thread runner_;
  int port_ = 0;
};

TEST_F(StandinServerTest, LoginAnswersGbkXmlWithAddressesAndSorts) {
  Start();
  httplib::Result r = Get(LoginTarget(kZhangSanEncoded, kMd5Of123456));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(r->get_header_value("Content-Type"), "text/xml; charset=GBK");
  EXPECT_EQ(r->body.rfind("<?xml version=\"1.0\" encoding=\"GBK\"?>", 0), 0u);
  EXPECT_TRUE(Contains(r->body, "<login>1</login>"));
  const std::string base = "http://127.0.0.1:" + std::to_string(port_);
  EXPECT_TRUE(Contains(r->body, "<reportURL>" + base + "/kivane/report.jsp</reportURL>"));
  EXPECT_TRUE(Contains(r->body, "<hotlistURL>") && Contains(r->body, "<searchURL>"));
  EXPECT_TRUE(Contains(r->body, "<adTime>1800</adTime>"));
  EXPECT_TRUE(Contains(r->body, "<uploadsort>1," + Utf8ToGbk("风景") + "</uploadsort>"));
}

TEST_F(StandinServerTest, LoginRefusesAWrongPasswordOrAnUpperCaseDigest) {
  Start();
  for (const char* digest : {"00000000000000000000000000000000", "E10ADC3949BA59ABBE56E057F20F883E"}) {
    httplib::Result r = Get(LoginTarget(kZhangSanEncoded, digest));
    ASSERT_TRUE(r);
    EXPECT_TRUE(Contains(r->body, "<login>0</login>"));
    EXPECT_FALSE(Contains(r->body, "URL>")) << "a failed login hands out no addresses";
  }
}

TEST_F(StandinServerTest, LogKeepsRawAndEncodedQueriesApartAndAnUnescapedLoginStillWorks) {
  StandinOptions options;
  options.accounts = {{"张三", "123456"}};
  Start(options);
  ASSERT_TRUE(Get(LoginTarget(kZhangSanEncoded, kMd5Of123456)));
  const std::string reply = RawExchange("GET " + LoginTarget(Utf8ToGbk("张三"), kMd5Of123456) +
                                        " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_TRUE(Contains(reply, "<login>1</login>"));
  EXPECT_TRUE(Post("/kivane/report.jsp?fn=a.jpg,400,,,,,;", "x=1"));

  const std::vector<RequestRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].query, std::string("user=") + kZhangSanEncoded + "&pass=" + kMd5Of123456 +
                              "&clientver=1&confver=1");
  EXPECT_EQ(log[1].query.substr(0, 9), "user=\xD5\xC5\xC8\xFD");
  EXPECT_EQ(log[1].version, "HTTP/1.0");
  EXPECT_EQ(log[2].method, "POST");
  EXPECT_EQ(log[2].path, "/kivane/report.jsp");
  EXPECT_EQ(log[2].query, "fn=a.jpg,400,,,,,;");
  EXPECT_EQ(log[2].body, "x=1");
  EXPECT_EQ(log[2].fault, "none");
  EXPECT_EQ(log[0].seq + 2, log[2].seq);
}

TEST_F(StandinServerTest, CharsetFollowsTheControlSwitch) {
  Start();
  Control("charset utf-8");
  httplib::Result utf8 = Get(LoginTarget("demo", "fe01ce2a7fbac8fafaed7c982a04e229"));
  ASSERT_TRUE(utf8);
  EXPECT_EQ(utf8->get_header_value("Content-Type"), "text/xml; charset=UTF-8");
  EXPECT_TRUE(Contains(utf8->body, "encoding=\"UTF-8\""));
  EXPECT_TRUE(Contains(utf8->body, "<uploadsort>1,风景</uploadsort>"));

  Control("charset undeclared");
  httplib::Result bare = Get("/common/upload/albumlist_client.jsp?userid=demo");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->get_header_value("Content-Type"), "text/plain");
  EXPECT_EQ(bare->body, "1|" + Utf8ToGbk("默认专辑") + "\r\n2|" + Utf8ToGbk("我的收藏") + "\r\n");
}

TEST_F(StandinServerTest, RefusedPathClosesWithoutReplyButIsRecorded) {
  Start();
  Control("fault /kivane/getad.html refuse");
  httplib::Result refused = Get("/kivane/getad.html");
  EXPECT_FALSE(refused);
  EXPECT_EQ(RawExchange("GET /kivane/getad.html HTTP/1.0\r\n\r\n"), "");
  httplib::Result other = Get("/kivane/getmsg.html");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->status, 200);

  const std::vector<RequestRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].fault, "refuse");
  EXPECT_EQ(log[2].fault, "none");
}

TEST_F(StandinServerTest, StalledRequestIsAnsweredOnceReleased) {
  Start();
  Control("fault /client/yhtj1.html stall");
  auto stalled = std::async(std::launch::async, [this] { return Get("/client/yhtj1.html"); });
  EXPECT_EQ(stalled.wait_for(300ms), std::future_status::timeout);
  ASSERT_EQ(Log().size(), 1u) << "a stalled request is in the log at once";
  Control("release");
  httplib::Result r = stalled.get();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_TRUE(Contains(r->body, "*2"));
}

TEST_F(StandinServerTest, StopEndsStalledRequestsUnanswered) {
  StandinOptions options;
  options.faults = {{"*", Fault{FaultKind::kStall, 0}}};
  Start(options);
  auto stalled = std::async(std::launch::async, [this] { return Get("/kivane/getmsg.html"); });
  EXPECT_EQ(stalled.wait_for(200ms), std::future_status::timeout);
  const auto begin = std::chrono::steady_clock::now();
  server_->Stop();
  runner_.join();
  server_.reset();
  EXPECT_FALSE(stalled.get());
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 3s);
}

TEST_F(StandinServerTest, GarbageStatusAndTruncatedReplies) {
  Start();
  Control("fault /kivane/passport.jsp garbage\nfault /admin/version.txt 500\n"
          "fault /samples/big.bmp truncate");
  httplib::Result garbage = Get(LoginTarget("demo", "fe01ce2a7fbac8fafaed7c982a04e229"));
  ASSERT_TRUE(garbage);
  EXPECT_EQ(garbage->status, 200);
  EXPECT_FALSE(Contains(garbage->body, "<login>1</login>"));
  EXPECT_FALSE(Contains(garbage->body, "</root>"));

  httplib::Result failed = Get("/admin/version.txt");
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->status, 500);
  EXPECT_FALSE(Contains(failed->body, "|"));

  const std::string truncated = RawExchange("GET /samples/big.bmp HTTP/1.0\r\n\r\n");
  const size_t headerEnd = truncated.find("\r\n\r\n");
  ASSERT_NE(headerEnd, std::string::npos);
  EXPECT_TRUE(Contains(truncated, "Content-Length: 921654"));  // 54 + 640 * 480 * 3
  EXPECT_EQ(truncated.size() - headerEnd - 4, 921654u / 2);
  EXPECT_FALSE(Get("/samples/big.bmp")) << "a client sees the short body as a failure";
}

TEST_F(StandinServerTest, SlowSamplesComeAtTheirRateWithTheSameBytes) {
  Start();
  httplib::Result quick = Get("/samples/slow-100x100.bmp");
  ASSERT_TRUE(quick);
  ASSERT_EQ(quick->body.size(), 30054u);  // 54 + 100 * 100 * 3
  const auto begin = std::chrono::steady_clock::now();
  httplib::Result slow = Get("/samples/slow-100x100.bmp?rate=40000");
  const auto took = std::chrono::steady_clock::now() - begin;
  ASSERT_TRUE(slow);
  EXPECT_EQ(slow->body, quick->body);
  EXPECT_GE(took, 600ms) << "30054 bytes at 40000 a second";
  EXPECT_LT(took, 3s);
}

TEST_F(StandinServerTest, EmptyAndForeignCharsetReplies) {
  Start();
  Control("fault /kivane/passport.jsp empty\nfault /kivane/getmsg.html foreign-charset");
  httplib::Result empty = Get(LoginTarget("demo", "fe01ce2a7fbac8fafaed7c982a04e229"));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->status, 200);
  EXPECT_TRUE(empty->body.empty());

  httplib::Result foreign = Get("/kivane/getmsg.html");
  ASSERT_TRUE(foreign);
  EXPECT_EQ(foreign->status, 200);
  EXPECT_EQ(foreign->get_header_value("Content-Type"), "text/plain; charset=ISO-2022-JP");
  EXPECT_TRUE(Contains(foreign->body, "/kivane/notice/1.html")) << "the bytes are the usual reply";
}

TEST_F(StandinServerTest, WildcardFaultSparesTheControlEndpoint) {
  Start();
  Control("fault * 404");
  httplib::Result r = Get("/kivane/getmsg.html");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 404);
  Control("clear");
  r = Get("/kivane/getmsg.html");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  httplib::Result bad = Post(kControlPath, "fault * sometimes");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->status, 400);
  EXPECT_EQ(bad->body, "unknown fault: sometimes\n");
  EXPECT_EQ(Log().size(), 2u) << "control requests are not recorded";
}

TEST_F(StandinServerTest, OldHttpClientAcceptingGzipGetsPlainBodyAndClose) {
  Start();
  // The uploader's own client: HTTP/1.0, offers gzip, reads until the connection closes.
  const std::string reply = RawExchange(
      "GET /common/upload/albumlist_client.jsp?userid=demo HTTP/1.0\r\n"
      "Accept-Encoding: gzip, deflate\r\nUser-Agent: Mozilla/4.0\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(reply.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_FALSE(Contains(reply, "Content-Encoding"));
  EXPECT_TRUE(Contains(reply, "\r\n\r\n1|" + Utf8ToGbk("默认专辑") + "\r\n"));
  // The log keeps the head as it came, header order and letter case included.
  const std::vector<RequestRecord> log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].head,
            "GET /common/upload/albumlist_client.jsp?userid=demo HTTP/1.0\r\n"
            "Accept-Encoding: gzip, deflate\r\nUser-Agent: Mozilla/4.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST_F(StandinServerTest, AlbumsAreAddedPerMember) {
  Start();
  const std::string name = "%B7%E7%BE%B0";  // 风景
  httplib::Result added = Get("/common/upload/addalbum_client.jsp?userid=demo&v=" + name);
  ASSERT_TRUE(added);
  EXPECT_EQ(added->body, "3");
  httplib::Result again = Post("/common/upload/addalbum_client.jsp?userid=demo&v=" + name);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->body, "-1") << "a member's album names are unique";
  httplib::Result empty = Post("/common/upload/addalbum_client.jsp?userid=demo&v=");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->body, "-1");

  httplib::Result mine = Get("/common/upload/albumlist_client.jsp?userid=demo");
  ASSERT_TRUE(mine);
  EXPECT_TRUE(Contains(mine->body, "\r\n3|" + Utf8ToGbk("风景") + "\r\n"));
  httplib::Result others = Get("/common/upload/albumlist_client.jsp?userid=" + std::string(kZhangSanEncoded));
  ASSERT_TRUE(others);
  EXPECT_FALSE(Contains(others->body, "3|"));
}

TEST_F(StandinServerTest, UploadRegistrationNeedsUserAndFileName) {
  Start();
  const std::string query =
      "?username=demo&title=t&srctype=2&desc=&pictype1=1&pictype2=&pictype3=&special=0&tag=&"
      "width=1024&height=768&remotepath=2024-5-1/7&filename=";
  httplib::Result ok1 = Post("/muralbox2/douploadgo.jsp" + query + "demo2024517000123.jpg&pub=0");
  httplib::Result ok2 = Post("/muralbox2/douploadauthor_client.jsp" + query + "x.jpg&pub=1");
  httplib::Result missing = Post("/muralbox2/douploadgo.jsp" + query + "&pub=0");
  ASSERT_TRUE(ok1 && ok2 && missing);
  EXPECT_EQ(ok1->body, "1");
  EXPECT_EQ(ok2->body, "2");
  EXPECT_EQ(missing->body, "0");
}

TEST_F(StandinServerTest, UpdateCheckOffersANewerPackageOnly) {
  const std::string package = folder_.Path("setup.exe");
  std::ofstream(package, std::ios::binary) << std::string("MZ\0\x01package", 11);
  StandinOptions options;
  options.service.updateVersion = "1.0.0.10";
  options.service.updatePackage = package;
  Start(options);
  const std::string base = "http://127.0.0.1:" + std::to_string(port_);

  httplib::Result none = Get("/kivane/update.jsp?version=");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->body, "need=1\r\nversion=1.0.0.10\r\nurl=" + base + "/download/setup.exe\r\n");
  httplib::Result older = Get("/update.jsp?version=1.0.0.9");
  ASSERT_TRUE(older);
  EXPECT_TRUE(Contains(older->body, "need=1"));
  httplib::Result same = Get("/kivane/update.jsp?version=1.0.0.10");
  ASSERT_TRUE(same);
  EXPECT_EQ(same->body, "need=0\r\n");

  httplib::Result download = Get("/download/setup.exe");
  ASSERT_TRUE(download);
  EXPECT_EQ(download->body, std::string("MZ\0\x01package", 11));

  // A test switches the offer while the service runs; the download path keeps its capitals and
  // takes the faults set for it.
  httplib::Result control = Post("/__control", "installer 2.0.0.1 " + package + " /Download/NewSetup.EXE\n"
                                               "fault /Download/NewSetup.EXE truncate");
  ASSERT_TRUE(control);
  EXPECT_EQ(control->body, "ok\n");
  httplib::Result offer = Get("/kivane/update.jsp?version=1.0.0.10");
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->body, "need=1\r\nversion=2.0.0.1\r\nurl=" + base + "/Download/NewSetup.EXE\r\n");
  EXPECT_EQ(Get("/download/setup.exe")->status, 404);
  httplib::Result cut = Get("/Download/NewSetup.EXE");
  EXPECT_FALSE(cut && cut->body.size() == 11);
  ASSERT_TRUE(Post("/__control", "installer none"));
  EXPECT_EQ(Get("/kivane/update.jsp?version=")->body, "need=0\r\n");
}

TEST_F(StandinServerTest, ListsForTheClientAndTheUploader) {
  StandinOptions options;
  options.service.topListStamp = 9;
  options.service.dataVersion = 4;
  Start(options);
  const std::string base = "http://127.0.0.1:" + std::to_string(port_);

  httplib::Result top = Get("/client/yhtj1.html");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->body, Utf8ToGbk(base + "/samples/top-lake.jpg(风景)*" + base +
                                 "/samples/top-city.png(城市建筑)*" + base +
                                 "/samples/top-cartoon.bmp(动漫)*" + base + "(精品推荐)*9"));

  httplib::Result versions = Get("/admin/version.txt");
  ASSERT_TRUE(versions);
  EXPECT_EQ(versions->body, "4|" + base + "/admin/classify.dat\r\n4|" + base +
                                "/admin/actives.dat\r\n4|" + base + "/admin/themes.dat\r\n");
  httplib::Result classify = Get("/admin/classify.dat");
  ASSERT_TRUE(classify);
  EXPECT_EQ(classify->body.rfind(Utf8ToGbk("1:风景:NULL\r\n2:自然风光:风景\r\n"), 0), 0u);

  // The advert list is empty until a test replaces it; the login's report interval likewise.
  EXPECT_EQ(Get("/kivane/getad.html")->body, "");
  Control("adverts " + base + "/samples/ad-200x150.png,morning,\xE7\x9C\x8B,0,719,-220,-20,-170,-20|x,y\nadtime 2");
  EXPECT_EQ(Get("/kivane/getad.html")->body,
            base + "/samples/ad-200x150.png,morning," + Utf8ToGbk("看") + ",0,719,-220,-20,-170,-20\nx,y\n");
  EXPECT_TRUE(Contains(Get(LoginTarget(kZhangSanEncoded, kMd5Of123456))->body,
                       "<adTime>2</adTime>"));
  Control("adverts");
  EXPECT_EQ(Get("/kivane/getad.html")->body, "");

  httplib::Result notices = Get("/kivane/getmsg.html");
  ASSERT_TRUE(notices);
  EXPECT_EQ(notices->body, base + "/kivane/notice/1.html\n" + base + "/kivane/notice/2.html\n");
  Control("notices " + base + "/kivane/notice/2.html|ftp://x");
  EXPECT_EQ(Get("/kivane/getmsg.html")->body, base + "/kivane/notice/2.html\nftp://x\n");
  Control("notices");
  EXPECT_EQ(Get("/kivane/getmsg.html")->body, "");
  httplib::Result page = Get("/kivane/notice/2.html");
  ASSERT_TRUE(page);
  EXPECT_TRUE(Contains(page->body, "<title>" + Utf8ToGbk("系统公告 2") + "</title>"));

  for (const char* address : {"/kivane/search2.html", "/kivane/top10_3.html", "/kivane/member/usermodi.jsp"}) {
    httplib::Result client = Get(address);
    ASSERT_TRUE(client);
    EXPECT_TRUE(Contains(client->body, "window.external.setWallpaper('" + Utf8ToGbk("风景") + "','" + base +
                                           "/samples/top-lake.jpg','" + Utf8ToGbk("风景") + "*1024x768*jpg*"))
        << address;
  }

  httplib::Result pv = Post("/conf/pv.png?user=demo&f=.%5C%B7%E7%BE%B0%5Ca.jpg");
  ASSERT_TRUE(pv);
  EXPECT_EQ(pv->get_header_value("Content-Type"), "image/png");

  httplib::Result unknown = Get("/kivane/no%0Athing.jsp");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->status, 404);
  EXPECT_EQ(Log().back().path, "/kivane/no%0Athing.jsp") << "unknown paths are recorded too";
}

}  // namespace
}  // namespace standin
