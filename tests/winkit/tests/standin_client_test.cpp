// The stand-in service as Windows tests reach it: requests recorded byte for byte in the log
// named by MB_STANDIN_LOG, faults switched through its control channel.
#include <gtest/gtest.h>

#include "tests/winkit/standin_client.h"

namespace winkit {
namespace {

const char kProbePath[] = "/winkit/probe";

TEST(StandinClientTest, TheLogHoldsEachRequestByteForByteWithTheFaultItMet) {
  StandinSession standin;
  ASSERT_TRUE(standin.Control("fault /winkit/probe status:503")) << standin.Error();
  const std::string body("\xD5\xC5\x00\x01\xFF end", 9);
  EXPECT_EQ(SendToStandin("POST", std::string(kProbePath) + "?name=%D5%C5&raw=\xD5\xC5", body).status, 503);
  ASSERT_TRUE(standin.Control("clear")) << standin.Error();
  const StandinReply normal = SendToStandin("GET", kProbePath);
  EXPECT_NE(normal.status, 0);
  EXPECT_NE(normal.status, 503);

  // The control requests are not in the log; only the two sent to the probe are.
  const std::vector<StandinRequest> seen = standin.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].method, "POST");
  EXPECT_EQ(seen[0].path, kProbePath);
  EXPECT_EQ(seen[0].query, "name=%D5%C5&raw=\xD5\xC5");
  EXPECT_EQ(seen[0].version, "HTTP/1.0");
  EXPECT_EQ(seen[0].body, body);
  EXPECT_EQ(HeaderOf(seen[0], "content-length"), "9");
  EXPECT_EQ(seen[0].fault, "status:503");
  EXPECT_EQ(seen[1].method, "GET");
  EXPECT_EQ(seen[1].fault, "none");
  EXPECT_EQ(seen[1].seq, seen[0].seq + 1);
}

TEST(StandinClientTest, ABadCommandIsRefusedWithItsReason) {
  StandinSession standin;
  EXPECT_FALSE(standin.Control("fault /winkit/probe sometimes"));
  EXPECT_NE(standin.Error().find("sometimes"), std::string::npos) << standin.Error();
  EXPECT_FALSE(standin.Control("shout"));
  EXPECT_TRUE(standin.Control("clear\r\nfault * none\r\n"));
}

TEST(StandinClientTest, EachSessionStartsWithANormalServiceAndAnEmptyView) {
  {
    StandinSession standin;
    ASSERT_TRUE(standin.Control("fault * refuse")) << standin.Error();
    EXPECT_EQ(SendToStandin("GET", kProbePath).status, 0);
    ASSERT_EQ(standin.Requests().size(), 1u);
    EXPECT_EQ(standin.Requests()[0].fault, "refuse");
    standin.Mark();
    EXPECT_TRUE(standin.Requests().empty());
  }
  StandinSession next;
  EXPECT_TRUE(next.Requests().empty());
  EXPECT_NE(SendToStandin("GET", kProbePath).status, 0);
  EXPECT_EQ(next.Requests().size(), 1u);
}

}  // namespace
}  // namespace winkit
