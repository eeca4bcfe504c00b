#include "client/core/win/service_request.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "client/core/win/tests/service_test_support.h"
#include "client/core/win/xml_document.h"
#include "tests/winkit/standin_client.h"

namespace mb {
namespace {

using namespace testing_support;

std::string LoginFlag(const std::string& reply) {
  XmlDocument document;
  if (!document.LoadXmlDocument(reply)) return "unparsed";
  std::string login;
  XmlDocument::GetNodeText(document.GetDocumentElement().Get(), "login", login);
  return login;
}

class ServiceRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com_.ok());
    ASSERT_TRUE(standin_.Control("charset gbk")) << standin_.Error();
    SetXmlErrorFolder("");  // parse failures here are expected; keep them out of any folder
  }
  // A request abandoned by a test completes once the service answers it; it is given the time to
  // do so here, so that no late reply is still on its way when the process ends.
  void TearDown() override {
    standin_.Control("clear\ncharset gbk");
    PumpForMessage(nullptr, WM_NULL, WM_NULL, 500);
  }

  // One request to the login page under a fault; the record of it is checked by the caller.
  ServiceReply LoginUnder(const std::string& fault, DWORD timeoutMs = kServiceRequestTimeoutMs) {
    EXPECT_TRUE(standin_.Control("fault /kivane/passport.jsp " + fault)) << standin_.Error();
    ServiceCall call;
    call.url = LoginUrl();
    call.timeoutMs = timeoutMs;
    return SendServiceRequest(call);
  }

  ComApartment com_;
  winkit::StandinSession standin_;
};

TEST_F(ServiceRequestTest, GetReturnsTheReplyAndSendsTheQueryAsEncodedGbkBytes) {
  const ServiceReply reply = ServiceGet(LoginUrl());
  ASSERT_TRUE(reply.ok()) << RequestFailureName(reply.failure);
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(LoginFlag(reply.text), "1");
  EXPECT_NE(reply.text.find("1,风景"), std::string::npos) << "the GBK names arrive as GBK";

  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "GET");
  EXPECT_EQ(seen[0].path, "/kivane/passport.jsp");
  EXPECT_EQ(seen[0].query, "user=" + kUserQueryValue + "&pass=e10adc3949ba59abbe56e057f20f883e&clientver=1&confver=1");
  EXPECT_EQ(winkit::HeaderOf(seen[0], "Content-Type"), "");
}

TEST_F(ServiceRequestTest, PostSendsTheFormBodyBytesWithTheFormContentType) {
  const std::string body = QueryText().Add("userid", kUserGbk).Add("v", "新专辑 & more").text();
  const ServiceReply reply = ServicePost(ServiceBase() + "/kivane/passport.jsp", body);
  ASSERT_TRUE(reply.ok()) << RequestFailureName(reply.failure);
  EXPECT_EQ(LoginFlag(reply.text), "0") << "a parsed reply; the login itself reads the query only";

  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "POST");
  EXPECT_EQ(seen[0].body, "userid=" + kUserQueryValue + "&v=%D0%C2%D7%A8%BC%AD%20%26%20more");
  EXPECT_EQ(winkit::HeaderOf(seen[0], "Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(ServiceRequestTest, GetCarriesTheFormContentTypeWhenAsked) {
  const ServiceReply reply = ServiceGet(ServiceBase() + "/client/yhtj1.html", true);
  ASSERT_TRUE(reply.ok()) << RequestFailureName(reply.failure);
  EXPECT_NE(reply.text.find("精品推荐"), std::string::npos);
  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(winkit::HeaderOf(seen[0], "Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(ServiceRequestTest, RepliesAreDecodedByTheirDeclaredCharset) {
  for (const char* charset : {"utf-8", "undeclared", "gbk"}) {
    ASSERT_TRUE(standin_.Control(std::string("charset ") + charset)) << standin_.Error();
    const ServiceReply reply = ServiceGet(LoginUrl());
    ASSERT_TRUE(reply.ok()) << charset << ": " << RequestFailureName(reply.failure);
    EXPECT_EQ(LoginFlag(reply.text), "1") << charset;
    EXPECT_NE(reply.text.find("2,动漫"), std::string::npos) << charset << " gives GBK text";
  }
  EXPECT_EQ(standin_.Requests().size(), 3u) << "every request reached the service, none came from a cache";
}

TEST_F(ServiceRequestTest, ErrorPagesAreFailuresNotReplies) {
  ServiceReply reply = LoginUnder("404");
  EXPECT_EQ(reply.failure, RequestFailure::kHttpStatus);
  EXPECT_EQ(reply.status, 404);
  EXPECT_EQ(reply.text, "");

  reply = LoginUnder("500");
  EXPECT_EQ(reply.failure, RequestFailure::kHttpStatus);
  EXPECT_EQ(reply.status, 500);
}

TEST_F(ServiceRequestTest, BrokenRepliesGiveNoUsableDocument) {
  // An unreadable charset and broken GBK bytes fail in the request layer; an empty reply
  // arrives but does not parse.
  EXPECT_EQ(LoginUnder("foreign-charset").failure, RequestFailure::kUndecodable);
  EXPECT_EQ(LoginUnder("garbage").failure, RequestFailure::kUndecodable);

  const ServiceReply empty = LoginUnder("empty");
  ASSERT_TRUE(empty.ok()) << RequestFailureName(empty.failure);
  EXPECT_EQ(empty.text, "");
  EXPECT_EQ(LoginFlag(empty.text), "unparsed");
}

TEST_F(ServiceRequestTest, CutAndRefusedConnectionsFail) {
  // The request object completes a reply whose connection closed half-way with status 200 and
  // the half that arrived; only the announced length shows it is not the reply.
  const ServiceReply truncated = LoginUnder("truncate", 5000);
  EXPECT_EQ(truncated.failure, RequestFailure::kCutShort) << RequestFailureName(truncated.failure);
  EXPECT_EQ(truncated.status, 200);
  EXPECT_EQ(truncated.text, "");
  const ServiceReply refused = LoginUnder("refuse", 5000);
  EXPECT_FALSE(refused.ok()) << "no reply is no success";
}

TEST_F(ServiceRequestTest, StalledServerEndsInTimeOutWithinBound) {
  const DWORD start = GetTickCount();
  const ServiceReply reply = LoginUnder("stall", 1500);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(reply.failure, RequestFailure::kTimedOut);
  EXPECT_GE(elapsed, 1400u);
  EXPECT_LT(elapsed, 4000u);

  // The next request after an aborted one is served normally, and the late reply of the aborted
  // one, answered now, arrives at a request object that is still there.
  ASSERT_TRUE(standin_.Control("clear"));
  EXPECT_TRUE(ServiceGet(LoginUrl()).ok());
  PumpForMessage(nullptr, WM_NULL, WM_NULL, 1000);
  EXPECT_TRUE(ServiceGet(LoginUrl()).ok());
}

TEST_F(ServiceRequestTest, QuitWhileWaitingEndsTheRequestAndKeepsTheQuit) {
  ASSERT_TRUE(standin_.Control("fault /kivane/passport.jsp stall"));
  PostQuitMessage(7);
  const DWORD start = GetTickCount();
  const ServiceReply reply = ServiceGet(LoginUrl());
  EXPECT_EQ(reply.failure, RequestFailure::kInterrupted);
  EXPECT_LT(GetTickCount() - start, 3000u);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ServiceRequestTest, EachThreadWithItsOwnComAndRequestObject) {
  constexpr int kThreads = 3;
  std::vector<ServiceReply> replies(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&replies, i] {
      ComApartment com;
      replies[i] = ServiceGet(LoginUrl());
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const ServiceReply& reply : replies) {
    EXPECT_TRUE(reply.ok()) << RequestFailureName(reply.failure);
    EXPECT_EQ(LoginFlag(reply.text), "1");
  }
  EXPECT_EQ(standin_.Requests().size(), static_cast<std::size_t>(kThreads));
}

TEST_F(ServiceRequestTest, ThreadWithoutComSendsNothing) {
  ServiceReply reply;
  std::thread([&reply] { reply = ServiceGet(LoginUrl()); }).join();
  EXPECT_EQ(reply.failure, RequestFailure::kNoRequestObject);
  EXPECT_TRUE(standin_.Requests().empty());
}

TEST_F(ServiceRequestTest, UnusableAddressesFail) {
  EXPECT_FALSE(ServiceGet("not an address").ok());
  ServiceCall call;
  call.url = "http://127.0.0.1:1/closed";
  call.timeoutMs = 3000;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(SendServiceRequest(call).ok());
  EXPECT_LT(GetTickCount() - start, 5000u);
}

}  // namespace
}  // namespace mb
