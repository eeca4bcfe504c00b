#include "uploader/member/core/member_requests.h"

#include <gtest/gtest.h>

#include "uploader/member/core/category_path.h"

namespace mb::uploader {
namespace {

TEST(MemberRequests, AddressesCarryEncodedGbkValues) {
  // "张三 &x" in GBK: D5C5 C8FD, a blank and an ampersand.
  EXPECT_EQ(PassportUrl("http://a.local:81", "\xD5\xC5\xC8\xFD &x", "123456"),
            "http://a.local:81/kivane/passport.jsp?user=%D5%C5%C8%FD%20%26x&pass=e10adc3949ba59abbe56e057f20f883e"
            "&clientver=1&confver=1");
  EXPECT_EQ(AlbumListUrl("http://s", "demo"), "http://s/common/upload/albumlist_client.jsp?userid=demo");
  EXPECT_EQ(AddAlbumUrl("http://s", "a b", "\xCE\xD2|&"),
            "http://s/common/upload/addalbum_client.jsp?userid=a%20b&v=%CE%D2%7C%26");
}

TEST(MemberRequests, LoginRepliesAreJudged) {
  EXPECT_EQ(JudgeLoginReply("", "<login>1</login>"), LoginVerdict::Failed);
  EXPECT_EQ(JudgeLoginReply("HTTP/1.0 200\r\n\r\n", "<r><login>0</login><login>1</login></r>"), LoginVerdict::LoggedIn);
  EXPECT_EQ(JudgeLoginReply("HTTP/1.0 200\r\n\r\n", "<r><login>0</login></r>"), LoginVerdict::Refused);
  EXPECT_EQ(JudgeLoginReply("HTTP/1.0 500\r\n\r\n", "<html>error</html>"), LoginVerdict::Unknown);
}

TEST(MemberRequests, AlbumLinesAndCreationReplies) {
  const auto albums = ParseAlbumLines("1|\xC4\xAC\xC8\xCF\r\n\r\n22|my|album\nno bar\n\x81|x|y");
  ASSERT_EQ(albums.size(), 4u);
  EXPECT_EQ(albums[0], std::make_pair(std::string("1"), std::string("\xC4\xAC\xC8\xCF")));
  EXPECT_EQ(albums[1], std::make_pair(std::string("22"), std::string("my|album")));
  EXPECT_EQ(albums[2], std::make_pair(std::string(), std::string("no bar")));
  // 0x81 0x7C is one GBK character, not a separator.
  EXPECT_EQ(albums[3], std::make_pair(std::string("\x81|x"), std::string("y")));
  EXPECT_TRUE(ParseAlbumLines("").empty());

  EXPECT_EQ(ParseCreatedAlbumNumber(" 42\r\n"), 42);
  for (const char* failed : {"", "-1", "0", "\r\n", "<html>404</html>", "12abc", "99999999999"}) {
    EXPECT_FALSE(ParseCreatedAlbumNumber(failed).has_value()) << failed;
  }
}

TEST(MemberRequests, CategoryPaths) {
  EXPECT_EQ(JoinCategoryPath(UploadKindName(kKindOriginal), {"A", "\xC9\xBD"}), "\xD4\xAD\xB4\xB4-A-\xC9\xBD");
  EXPECT_EQ(UploadKindName(7), UploadKindName(kKindWallpaper));
  EXPECT_EQ(UploadKindOf(-1), kKindWallpaper);
  EXPECT_EQ(UploadKindOf(3), kKindTheme);
  EXPECT_TRUE(CategoryPathLevels("\xB1\xDA\xD6\xBD").empty());  // the kind alone chooses nothing
  EXPECT_EQ(CategoryPathLevels("k-\xC9\xBD-b-c"), (std::vector<std::string>{"\xC9\xBD", "b", "c"}));
}

}  // namespace
}  // namespace mb::uploader
