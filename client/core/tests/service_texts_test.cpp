// Texts of service requests and replies: query encoding, addresses, reply charsets and lengths,
// and the registration report.
#include <gtest/gtest.h>

#include <string>

#include "client/core/registration_report.h"
#include "client/core/reply_charset.h"
#include "client/core/reply_length.h"
#include "client/core/service_url.h"

namespace mb {
namespace {

const std::string kZhangSanGbk = "\xD5\xC5\xC8\xFD";  // "张三"

TEST(PercentEncode, KeepsOnlyUnreservedAsciiAndEncodesEveryOtherByte) {
  EXPECT_EQ(PercentEncode("AZaz09-_.~"), "AZaz09-_.~");
  EXPECT_EQ(PercentEncode(kZhangSanGbk), "%D5%C5%C8%FD");
  EXPECT_EQ(PercentEncode("a b&c=d?e/f%g+h#i\"j"), "a%20b%26c%3Dd%3Fe%2Ff%25g%2Bh%23i%22j");
  // A trail byte that looks like '\\' or a letter is encoded with its character.
  EXPECT_EQ(PercentEncode("\xD5\x5C\x81\x41"), "%D5%5C%81A");
  EXPECT_EQ(PercentEncode(std::string("\x00\x7F\xFF", 3)), "%00%7F%FF");
  EXPECT_EQ(PercentEncode(""), "");
}

TEST(QueryText, JoinsEncodedPairsInOrder) {
  QueryText query;
  EXPECT_TRUE(query.empty());
  query.Add("user", kZhangSanGbk).Add("pass", "0123abcd").Add("confver", 7).Add("empty", "");
  EXPECT_EQ(query.text(), "user=%D5%C5%C8%FD&pass=0123abcd&confver=7&empty=");
  // A value cannot add a parameter of its own.
  EXPECT_EQ(QueryText().Add("u", "a&admin=1").text(), "u=a%26admin%3D1");
}

TEST(ServiceUrls, AppendTheQueryAfterQuestionMarkOrAmpersand) {
  const QueryText query = QueryText().Add("u", "x");
  EXPECT_EQ(AppendQuery("http://h/p.jsp", query), "http://h/p.jsp?u=x");
  EXPECT_EQ(AppendQuery("http://h/p.jsp?a=1", query), "http://h/p.jsp?a=1&u=x");
  EXPECT_EQ(AppendQuery("http://h/p.jsp?", query), "http://h/p.jsp?u=x");
  EXPECT_EQ(AppendQuery("http://h/p.jsp?a=1&", query), "http://h/p.jsp?a=1&u=x");
  EXPECT_EQ(AppendQuery("http://h/p.jsp#top", query), "http://h/p.jsp?u=x#top");
  EXPECT_EQ(AppendQuery("http://h/p.jsp", QueryText()), "http://h/p.jsp");

  EXPECT_EQ(ServiceUrl("http://127.0.0.1:18080", "/kivane/passport.jsp", query),
            "http://127.0.0.1:18080/kivane/passport.jsp?u=x");
  EXPECT_EQ(ServiceUrl("http://h/", "client/yhtj1.html"), "http://h/client/yhtj1.html");
}

TEST(ReplyCharset, ContentTypeParameterInAnyCaseAndQuoting) {
  EXPECT_EQ(CharsetFromContentType("text/xml; charset=GBK"), "GBK");
  EXPECT_EQ(CharsetFromContentType("text/xml;CHARSET = \"utf-8\" ; q=1"), "utf-8");
  EXPECT_EQ(CharsetFromContentType("text/html; name=a; charset='gb2312'"), "gb2312");
  EXPECT_EQ(CharsetFromContentType("text/xml"), "");
  EXPECT_EQ(CharsetFromContentType("text/xml; charsets=utf-8"), "");
  EXPECT_EQ(CharsetFromContentType(""), "");
  // The media type itself is no parameter.
  EXPECT_EQ(CharsetFromContentType("charset=utf-8"), "");
}

TEST(ReplyCharset, XmlDeclarationEncodingOnlyFromADeclarationAtTheStart) {
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<root/>"), "GBK");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version='1.0' encoding = 'UTF-8' standalone='yes'?><a/>"), "UTF-8");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version=\"1.0\"?><a encoding=\"utf-8\"/>"), "");
  EXPECT_EQ(EncodingFromXmlDeclaration(" <?xml version=\"1.0\" encoding=\"GBK\"?>"), "");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xmlx encoding=\"GBK\"?>"), "");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version=\"1.0\" xencoding=\"big5\" encoding=\"GBK\"?>"), "GBK");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version=\"1.0\" encoding=\"GBK"), "");
  EXPECT_EQ(EncodingFromXmlDeclaration("<?xml version=\"1.0\" encoding=GBK?>"), "");
  EXPECT_EQ(EncodingFromXmlDeclaration(""), "");
}

TEST(ReplyCharset, NamesOfTheThreeReadableCharsets) {
  for (const char* name : {"GBK", "gb2312", "x-gbk", "CP936", " ms936 ", "windows-936"}) {
    EXPECT_EQ(CharsetFromName(name), ReplyCharset::kGbk) << name;
  }
  EXPECT_EQ(CharsetFromName("UTF-8"), ReplyCharset::kUtf8);
  EXPECT_EQ(CharsetFromName("utf8"), ReplyCharset::kUtf8);
  EXPECT_EQ(CharsetFromName("US-ASCII"), ReplyCharset::kAscii);
  for (const char* name : {"big5", "iso-8859-1", "utf-16", "shift_jis", "gbkx", ""}) {
    EXPECT_EQ(CharsetFromName(name), ReplyCharset::kUnsupported) << name;
  }
}

TEST(ReplyCharset, ByteOrderMarkThenContentTypeThenDeclarationThenGbk) {
  const std::string gbkDeclared = "<?xml version=\"1.0\" encoding=\"GBK\"?><a/>";
  const std::string utf8Declared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>";
  EXPECT_EQ(DetectReplyEncoding("text/xml; charset=utf-8", gbkDeclared).charset, ReplyCharset::kUtf8);
  EXPECT_EQ(DetectReplyEncoding("text/xml", utf8Declared).charset, ReplyCharset::kUtf8);
  EXPECT_EQ(DetectReplyEncoding("text/xml", gbkDeclared).charset, ReplyCharset::kGbk);
  EXPECT_EQ(DetectReplyEncoding("text/plain", "1").charset, ReplyCharset::kGbk);
  EXPECT_EQ(DetectReplyEncoding("", "").charset, ReplyCharset::kGbk);
  EXPECT_EQ(DetectReplyEncoding("text/html; charset=big5", "x").charset, ReplyCharset::kUnsupported);
  EXPECT_EQ(DetectReplyEncoding("text/xml", "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a/>").charset,
            ReplyCharset::kUnsupported);

  const ReplyEncoding bom = DetectReplyEncoding("text/xml; charset=GBK", "\xEF\xBB\xBF<a/>");
  EXPECT_EQ(bom.charset, ReplyCharset::kUtf8);
  EXPECT_EQ(bom.textStart, 3u);
  EXPECT_EQ(DetectReplyEncoding("text/xml", gbkDeclared).textStart, 0u);
}

TEST(ReplyLength, BodyShorterThanAnnouncedIsCutShort) {
  EXPECT_TRUE(ReplyCutShort("845", "", 422));
  EXPECT_TRUE(ReplyCutShort(" 1 ", "identity", 0));
  EXPECT_TRUE(ReplyCutShort("99999999999999999999999", "", 1000)) << "a length too large to hold";
  EXPECT_FALSE(ReplyCutShort("845", "", 845));
  EXPECT_FALSE(ReplyCutShort("0", "", 0));
  EXPECT_FALSE(ReplyCutShort("10", "", 12)) << "more than announced is not a cut";
}

TEST(ReplyLength, NoVerdictWithoutAComparableLength) {
  EXPECT_FALSE(ReplyCutShort("", "", 0));
  EXPECT_FALSE(ReplyCutShort("12a", "", 3));
  EXPECT_FALSE(ReplyCutShort("-5", "", 3));
  EXPECT_FALSE(ReplyCutShort("1 2", "", 3));
  // A decoded body: the length announced is that of the encoded bytes.
  EXPECT_FALSE(ReplyCutShort("31", "gzip", 1));
  EXPECT_FALSE(ReplyCutShort("31", " Deflate", 1));
  EXPECT_TRUE(ReplyCutShort("31", "IDENTITY", 1));
}

TEST(RegistrationReport, AdapterAddressTextAndChoice) {
  const unsigned char address[6] = {0x00, 0x1A, 0x2b, 0xC3, 0xFF, 0x09};
  EXPECT_EQ(FormatAdapterAddress(address), "00-1A-2B-C3-FF-09");
  const unsigned char none[6] = {};
  EXPECT_EQ(FormatAdapterAddress(none), kNoAdapterAddress);

  EXPECT_EQ(ChooseReportedAdapterAddress({}), kNoAdapterAddress);
  EXPECT_EQ(ChooseReportedAdapterAddress({kNoAdapterAddress, kNoAdapterAddress}), kNoAdapterAddress);
  // The last adapter with an address wins; a later adapter without one does not undo it.
  EXPECT_EQ(ChooseReportedAdapterAddress({"02-00-00-00-00-01", "02-00-00-00-00-02", kNoAdapterAddress}),
            "02-00-00-00-00-02");
}

TEST(RegistrationReport, UrlCarriesTheEncodedValues) {
  EXPECT_EQ(RegistrationReportUrl("http://reg.example:8000", kZhangSanGbk, "1", "00-1A-2B-C3-FF-09"),
            "http://reg.example:8000/regist.jsp?u=%D5%C5%C8%FD&cid=1&mac=00-1A-2B-C3-FF-09");
  EXPECT_EQ(RegistrationReportUrl("http://r/", "a&b", "", kNoAdapterAddress),
            "http://r/regist.jsp?u=a%26b&cid=&mac=00-00-00-00-00-00");
}

}  // namespace
}  // namespace mb
