// The request log must hand tests the exact bytes a client sent, GBK included.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/tests/temp_folder.h"
#include "tools/standin/request_record.h"
#include "tools/standin/request_recorder.h"
#include "tools/standin/text_codec.h"

namespace standin {
namespace {

const std::string kZhangSanGbk = "\xD5\xC5\xC8\xFD";  // 张三

RequestRecord SampleRecord() {
  RequestRecord r;
  r.seq = 7;
  r.method = "POST";
  r.path = "/kivane/report.jsp";
  r.query = "fn=" + kZhangSanGbk + ",12,\"q\"\\;";
  r.version = "HTTP/1.1";
  r.headers = {{"Content-Type", "application/x-www-form-urlencoded"}, {"Host", "127.0.0.1:18080"}};
  r.body = std::string("a\0b\r\n\x7f\xff", 7);
  r.fault = "status:500";
  r.head = "POST /kivane/report.jsp HTTP/1.1\r\nZ-Last: 1\r\nA-First: " + kZhangSanGbk + "\r\n\r\n";
  return r;
}

TEST(RequestRecordTest, EveryByteSurvivesTheRoundTrip) {
  const RequestRecord original = SampleRecord();
  const std::string line = FormatRecordLine(original);
  EXPECT_EQ(line.find('\n'), std::string::npos) << "a record is exactly one line";

  RequestRecord back;
  ASSERT_TRUE(ParseRecordLine(line, back));
  EXPECT_EQ(back.seq, 7u);
  EXPECT_EQ(back.method, original.method);
  EXPECT_EQ(back.path, original.path);
  EXPECT_EQ(back.query, original.query);
  EXPECT_EQ(back.version, original.version);
  EXPECT_EQ(back.headers, original.headers);
  EXPECT_EQ(back.body, original.body);
  EXPECT_EQ(back.fault, original.fault);
  EXPECT_EQ(back.head, original.head);
}

TEST(RequestRecordTest, RawGbkAndPercentEncodedGbkLookDifferent) {
  RequestRecord raw, encoded;
  raw.query = "user=" + kZhangSanGbk;
  encoded.query = "user=%D5%C5%C8%FD";
  const std::string rawLine = FormatRecordLine(raw);
  const std::string encodedLine = FormatRecordLine(encoded);
  EXPECT_NE(rawLine.find("\"query\":\"user=\\u00d5\\u00c5\\u00c8\\u00fd\""), std::string::npos)
      << rawLine;
  EXPECT_NE(encodedLine.find("\"query\":\"user=%D5%C5%C8%FD\""), std::string::npos) << encodedLine;
}

TEST(RequestRecordTest, MalformedLinesAreRefused) {
  const std::string good = FormatRecordLine(SampleRecord());
  RequestRecord r;
  EXPECT_FALSE(ParseRecordLine(good.substr(0, good.size() - 1), r));
  EXPECT_FALSE(ParseRecordLine(good + "x", r));
  EXPECT_FALSE(ParseRecordLine("{\"seq\":1,\"path\":\"\\u4e2d\"}", r)) << "one code point, one byte";
  EXPECT_FALSE(ParseRecordLine("{\"seq\":1,\"path\":\"\\q\"}", r));
  EXPECT_FALSE(ParseRecordLine("", r));
}

TEST(RequestRecorderTest, NumbersRequestsAndStartsEachRunWithAnEmptyLog) {
  mb::TempFolder folder;
  const std::string log = folder.Path("requests.jsonl");
  {
    std::ofstream stale(log);
    stale << "left over from an earlier run\n";
  }
  RequestRecorder recorder;
  ASSERT_TRUE(recorder.Open(log));
  RequestRecord r;
  r.method = "GET";
  r.path = "/a";
  EXPECT_EQ(recorder.Record(r), 1u);
  r.path = "/b";
  EXPECT_EQ(recorder.Record(r), 2u);

  std::ifstream in(log);
  std::string line;
  std::vector<RequestRecord> records;
  while (std::getline(in, line)) {
    RequestRecord parsed;
    ASSERT_TRUE(ParseRecordLine(line, parsed)) << line;
    records.push_back(parsed);
  }
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].seq, 1u);
  EXPECT_EQ(records[0].path, "/a");
  EXPECT_EQ(records[1].seq, 2u);
  EXPECT_EQ(records[1].path, "/b");
}

TEST(RequestRecorderTest, AnUncreatableLogIsReported) {
  RequestRecorder recorder;
  EXPECT_FALSE(recorder.Open("/nonexistent-folder/requests.jsonl"));
}

TEST(TextCodecTest, QueryValuesDecodeToTheBytesTheClientMeant) {
  const std::vector<QueryParam> params =
      ParseQuery("user=%D5%C5%C8%FD&pass=ab+cd&raw=" + kZhangSanGbk + "&flag&&bad=%4G%4");
  ASSERT_EQ(params.size(), 5u);
  EXPECT_EQ(params[0].value, kZhangSanGbk);
  EXPECT_EQ(params[1].value, "ab cd");
  EXPECT_EQ(params[2].value, kZhangSanGbk) << "unescaped GBK is taken as it is";
  EXPECT_EQ(params[3].name, "flag");
  EXPECT_EQ(params[3].value, "");
  EXPECT_EQ(params[4].value, "%4G%4") << "a broken escape stays as sent";
  EXPECT_EQ(FindParam(params, "user"), kZhangSanGbk);
  EXPECT_EQ(FindParam(params, "missing"), "");
}

TEST(TextCodecTest, GbkConversionBothWays) {
  EXPECT_EQ(Utf8ToGbk("张三"), kZhangSanGbk);
  EXPECT_EQ(GbkToUtf8(kZhangSanGbk), "张三");
  EXPECT_EQ(GbkToUtf8("a\x81"), "a?") << "a lead byte without its trail byte";
  EXPECT_TRUE(IsGbkEncodable("风景"));
  EXPECT_FALSE(IsGbkEncodable("\xF0\x9F\x98\x80"));  // an emoji has no GBK form
}

}  // namespace
}  // namespace standin
