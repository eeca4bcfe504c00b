// The login's request and reply, and the recommended-pictures list that follows every login.
#include "client/core/login_exchange.h"

#include <gtest/gtest.h>

#include "client/core/md5_digest.h"
#include "client/core/path_text.h"
#include "client/core/top_list.h"
#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

const std::string kZhangSanGbk = "\xD5\xC5\xC8\xFD";

TEST(LoginRequest, CarriesTheDigestOfTheRealPasswordAndEncodedValues) {
  const std::string url = LoginRequestUrl("http://svc", kZhangSanGbk + "&x", "p w\"d", "1", "7 b");
  EXPECT_EQ(url, "http://svc/kivane/passport.jsp?user=%D5%C5%C8%FD%26x&pass=" + Md5Hex("p w\"d") +
                     "&clientver=1&confver=7%20b");
}

struct ConfigInFolder {
  TempFolder folder;
  ClientConfig config{{folder.Root(), "http://svc"}};
};

LoginReplyTexts FullReply() {
  LoginReplyTexts reply;
  reply.elements = {{"login", "1"},
                    {"registerURL", "http://s/reg"},
                    {"lostpasswdURL", "http://s/lost"},
                    {"hotlistURL", "http://s/hot"},
                    {"searchURL", "http://s/search"},
                    {"uploadURL", "http://s/up"},
                    {"reportURL", "http://s/report"},
                    {"updateURL", "http://s/update"},
                    {"vuploadURL", "http://s/mine"},
                    {"popURL", "http://s/notice"},
                    {"adTime", "60"}};
  reply.uploadSorts = {"1,风景", "x,动漫", "3,a,b", "4", " 5 ,明星"};
  return reply;
}

TEST(LoginReply, ASuccessTakesEveryAddressTheIntervalAndTheWellFormedSorts) {
  ConfigInFolder c;
  c.config.uploadSorts = {{9, "old"}};
  ASSERT_TRUE(ApplyLoginReply(FullReply(), c.config));
  EXPECT_EQ(c.config.registerUrl, "http://s/reg");
  EXPECT_EQ(c.config.lostPasswordUrl, "http://s/lost");
  EXPECT_EQ(c.config.uploadUrl, "http://s/up");
  EXPECT_EQ(c.config.reportUrl, "http://s/report");
  EXPECT_EQ(c.config.updateUrl, "http://s/update");
  EXPECT_EQ(c.config.viewUploadUrl, "http://s/mine");
  EXPECT_EQ(c.config.noticePageUrl, "http://s/notice");
  EXPECT_EQ(c.config.adTime, 60);
  // The ranking and search pages are not kept from the reply.
  EXPECT_EQ(c.config.hotListUrl, "http://svc/kivane/top10_2.html");
  ASSERT_EQ(c.config.uploadSorts.size(), 3u);
  EXPECT_EQ(c.config.uploadSorts[0].id, 1);
  EXPECT_EQ(c.config.uploadSorts[0].name, "风景");
  EXPECT_EQ(c.config.uploadSorts[1].id, 0);  // not a number
  EXPECT_EQ(c.config.uploadSorts[2].id, 5);
  EXPECT_EQ(c.config.uploadSorts[2].name, "明星");
}

TEST(LoginReply, MissingOrUnfitValuesKeepWhatWasThere) {
  ConfigInFolder c;
  LoginReplyTexts reply = FullReply();
  reply.elements.erase("hotlistURL");  // the upload page goes only with both pages
  reply.elements.erase("adTime");
  reply.elements["reportURL"] = "http://s/a b";
  reply.elements["updateURL"] = "http://s/\"x";
  reply.elements["registerURL"] = "";
  ASSERT_TRUE(ApplyLoginReply(reply, c.config));
  EXPECT_EQ(c.config.uploadUrl, "http://svc/kivane/upload.jsp");
  EXPECT_EQ(c.config.adTime, 1800);
  EXPECT_EQ(c.config.reportUrl, "");
  EXPECT_EQ(c.config.updateUrl, "http://svc/update.jsp");
  EXPECT_EQ(c.config.registerUrl, "http://svc/kivane/register.html");

  for (const char* adTime : {"0", "-5", "soon"}) {
    reply.elements["adTime"] = adTime;
    ApplyLoginReply(reply, c.config);
    EXPECT_EQ(c.config.adTime, 1800) << adTime;
  }
}

TEST(LoginReply, AFailedLoginChangesNothing) {
  for (const char* result : {"0", "", "11"}) {
    ConfigInFolder c;
    LoginReplyTexts reply = FullReply();
    reply.elements["login"] = result;
    c.config.uploadSorts = {{9, "old"}};
    EXPECT_FALSE(ApplyLoginReply(reply, c.config)) << result;
    EXPECT_EQ(c.config.reportUrl, "");
    EXPECT_EQ(c.config.adTime, 1800);
    EXPECT_EQ(c.config.uploadSorts.size(), 1u);
  }
  ConfigInFolder c;
  EXPECT_FALSE(ApplyLoginReply(LoginReplyTexts{}, c.config));
}

TEST(TopList, SplitsPicturesHomeLabelAndStampAndRefusesUnsafeNames) {
  const std::string text =
      "http://s/p/lake.jpg(风景)*http://s/p/a.png(动漫(新)**http://s/p/..(x)*http://s/p/b.jpg(..)*"
      "http://s/p/c.jpg(a\\b)*http://s/p/d.jpg(con)*http://s/p/e.jpg(C:)*noparenthesis*"
      "http://s/p/f.jpg(" + kZhangSanGbk + "\xD5\x5C" + ")*"
      "http://home(精品推荐*42\r\n";
  const std::optional<TopList> list = ParseTopList(text);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->stamp, 42);
  EXPECT_EQ(list->homeAddress, "http://home");
  EXPECT_EQ(list->label, "精品推荐");
  ASSERT_EQ(list->pictures.size(), 3u);
  EXPECT_EQ(list->pictures[0].url, "http://s/p/lake.jpg");
  EXPECT_EQ(list->pictures[0].category, "风景");
  EXPECT_EQ(list->pictures[0].fileName, "lake.jpg");
  EXPECT_EQ(list->pictures[1].url, "http://s/p/a.png(动漫");  // split at the last '('
  EXPECT_EQ(list->pictures[1].category, "新");
  EXPECT_EQ(list->pictures[2].category, kZhangSanGbk + "\xD5\x5C");  // a trail byte is no separator
  EXPECT_EQ(list->refused, 6);
  EXPECT_EQ(TopListTarget("C:\\dl\\", list->pictures[0]), "C:\\dl\\风景\\lake.jpg");

  EXPECT_FALSE(ParseTopList("a(b)**7"));
  EXPECT_FALSE(ParseTopList(""));
  const std::optional<TopList> bare = ParseTopList("x(y)*http://h x(l)*3");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->homeAddress, "");  // an address with a blank is not kept
}

TEST(TopList, StampFileReadsOneWhenMissingAndKeepsWhatWasWritten) {
  TempFolder folder;
  const std::string path = folder.Path("top10.dat");
  EXPECT_EQ(ReadTopListStamp(path), 1);
  ASSERT_TRUE(WriteFileReplacing(path, "ab"));
  EXPECT_EQ(ReadTopListStamp(path), 1);
  ASSERT_TRUE(WriteTopListStamp(path, -7));
  EXPECT_EQ(ReadTopListStamp(path), -7);
  ASSERT_TRUE(WriteTopListStamp(path, 123456));
  EXPECT_EQ(ReadTopListStamp(path), 123456);
}

TEST(TopList, OnlyPictureBytesCountAsAPicture) {
  for (const char* good : {"\xFF\xD8\xFF\xE0", "\x89PNG\r\n\x1A\n..", "GIF89a", "GIF87a", "BM6"}) {
    EXPECT_TRUE(LooksLikePicture(good)) << good;
  }
  for (const char* bad : {"", "<html><body>404", "\xFF\xD8", "GIF", "\x89PNG"}) {
    EXPECT_FALSE(LooksLikePicture(bad)) << bad;
  }
}

TEST(SafeLocalName, RefusesWhatCouldLeaveTheFolderOrNameADevice) {
  for (const char* good : {"风景", "a.jpg", "con1", "comx", "lpt0.txt", "x..y"}) {
    EXPECT_TRUE(IsSafeLocalName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "C:", "a*", "a?", "a\"b", "<a>", "a|b", "a\tb",
                          "a.", "a ", "CON", "con.jpg", "Nul", "com1", "LPT9.png", "aux"}) {
    EXPECT_FALSE(IsSafeLocalName(bad)) << bad;
  }
}

}  // namespace
}  // namespace mb
