#include "client/core/win/async_service_request.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "client/core/win/tests/service_test_support.h"
#include "client/core/win/xml_document.h"
#include "tests/winkit/standin_client.h"

namespace mb {
namespace {

using namespace testing_support;

// A hidden window that only receives the completion messages.
class ReplyWindow {
 public:
  ReplyWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "mb.test.ReplyWindow";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  }
  ~ReplyWindow() { DestroyWindow(window_); }
  ReplyWindow(const ReplyWindow&) = delete;
  ReplyWindow& operator=(const ReplyWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

UINT WaitForCompletion(HWND window, DWORD timeoutMs) {
  return PumpForMessage(window, WM_LOGIN_REPLY, WM_LOGIN_FAILED, timeoutMs);
}

int CountCompletions(HWND window, DWORD forMs) {
  int count = 0;
  PumpForMessage(window, WM_LOGIN_REPLY, WM_LOGIN_FAILED, forMs, &count);
  return count;
}

class AsyncServiceRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com_.ok());
    ASSERT_NE(window_.Get(), nullptr);
  }
  // Lets the late reply of an abandoned request arrive before the process ends.
  void TearDown() override {
    standin_.Control("clear");
    PumpForMessage(nullptr, WM_NULL, WM_NULL, 500);
  }

  ComApartment com_;
  winkit::StandinSession standin_;
  ReplyWindow window_;
};

TEST_F(AsyncServiceRequestTest, ReplyIsPostedToTheWindowAndReadThere) {
  AsyncServiceRequest request;
  ASSERT_TRUE(request.Send(window_.Get(), LoginUrl()));
  EXPECT_TRUE(request.InFlight());
  ASSERT_EQ(WaitForCompletion(window_.Get(), 10000), WM_LOGIN_REPLY);
  EXPECT_FALSE(request.InFlight());

  const ServiceReply reply = request.ReadReply();
  ASSERT_TRUE(reply.ok()) << RequestFailureName(reply.failure);
  XmlDocument document;
  ASSERT_TRUE(document.LoadXmlDocument(reply.text));
  std::string login;
  EXPECT_TRUE(XmlDocument::GetNodeText(document.GetDocumentElement().Get(), "login", login));
  EXPECT_EQ(login, "1");

  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "GET");
  EXPECT_EQ(seen[0].query.substr(0, 17), "user=" + kUserQueryValue);
  EXPECT_EQ(CountCompletions(window_.Get(), 500), 0) << "one message per request";
}

TEST_F(AsyncServiceRequestTest, StatusOtherThan200PostsFailed) {
  for (const char* status : {"404", "500"}) {
    ASSERT_TRUE(standin_.Control(std::string("fault /kivane/passport.jsp ") + status));
    AsyncServiceRequest request;
    ASSERT_TRUE(request.Send(window_.Get(), LoginUrl()));
    EXPECT_EQ(WaitForCompletion(window_.Get(), 10000), WM_LOGIN_FAILED) << status;
  }
}

TEST_F(AsyncServiceRequestTest, UnreadableOrCutRepliesFailWhenRead) {
  const std::pair<const char*, RequestFailure> cases[] = {{"foreign-charset", RequestFailure::kUndecodable},
                                                          {"truncate", RequestFailure::kCutShort}};
  for (const auto& [fault, failure] : cases) {
    ASSERT_TRUE(standin_.Control(std::string("fault /kivane/passport.jsp ") + fault));
    AsyncServiceRequest request;
    ASSERT_TRUE(request.Send(window_.Get(), LoginUrl()));
    ASSERT_EQ(WaitForCompletion(window_.Get(), 10000), WM_LOGIN_REPLY) << fault;
    EXPECT_EQ(request.ReadReply().failure, failure) << fault;
  }
}

TEST_F(AsyncServiceRequestTest, StalledServerPostsFailedOnceAfterTheTimeOut) {
  ASSERT_TRUE(standin_.Control("fault /kivane/passport.jsp stall"));
  AsyncServiceRequest request;
  const DWORD start = GetTickCount();
  ASSERT_TRUE(request.Send(window_.Get(), LoginUrl(), 1000));
  EXPECT_EQ(WaitForCompletion(window_.Get(), 10000), WM_LOGIN_FAILED);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 4000u);
  EXPECT_FALSE(request.InFlight());

  // The stalled request, let go now, must not report a second time.
  ASSERT_TRUE(standin_.Control("clear"));
  EXPECT_EQ(CountCompletions(window_.Get(), 1500), 0);
}

TEST_F(AsyncServiceRequestTest, CancelledRequestPostsNothing) {
  ASSERT_TRUE(standin_.Control("fault /kivane/passport.jsp stall"));
  AsyncServiceRequest request;
  ASSERT_TRUE(request.Send(window_.Get(), LoginUrl(), 1000));
  PumpForMessage(window_.Get(), WM_LOGIN_REPLY, WM_LOGIN_FAILED, 200);
  request.Cancel();
  EXPECT_FALSE(request.InFlight());
  ASSERT_TRUE(standin_.Control("clear"));
  EXPECT_EQ(CountCompletions(window_.Get(), 2000), 0) << "neither the reply nor the time-out is posted";
  EXPECT_EQ(request.ReadReply().failure, RequestFailure::kComError);
}

TEST_F(AsyncServiceRequestTest, SendingAgainCancelsTheFirstRequest) {
  ASSERT_TRUE(standin_.Control("fault /kivane/passport.jsp stall"));
  AsyncServiceRequest request;
  ASSERT_TRUE(request.Send(window_.Get(), LoginUrl(), 5000));
  ASSERT_TRUE(standin_.Control("clear"));
  ASSERT_TRUE(request.Send(window_.Get(), LoginUrl(), 5000));
  int count = 0;
  EXPECT_EQ(PumpForMessage(window_.Get(), WM_LOGIN_REPLY, WM_LOGIN_FAILED, 3000, &count), WM_LOGIN_REPLY);
  EXPECT_EQ(count, 1);
}

TEST_F(AsyncServiceRequestTest, WithoutAWindowNothingIsPosted) {
  AsyncServiceRequest request;
  ASSERT_TRUE(request.Send(nullptr, LoginUrl(), 1000));
  // A post to no window would land in this thread's queue.
  EXPECT_EQ(PumpForMessage(nullptr, WM_LOGIN_REPLY, WM_LOGIN_FAILED, 2000), 0u);
  EXPECT_EQ(standin_.Requests().size(), 1u);
}

TEST_F(AsyncServiceRequestTest, SinkIsADispatchWithoutTypeInformation) {
  ComPtr<HttpRequestSink> sink = HttpRequestSink::Create(nullptr, window_.Get());
  ComPtr<IDispatch> dispatch = sink.As<IDispatch>(IID_IDispatch);
  EXPECT_TRUE(dispatch);
  EXPECT_TRUE(sink.As<IUnknown>(IID_IUnknown));
  EXPECT_FALSE(sink.As<IXMLHTTPRequest>(IID_IXMLHTTPRequest));
  UINT count = 99;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"onreadystatechange");
  EXPECT_TRUE(FAILED(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)));
  // Without a request there is no state to read: nothing is posted.
  DISPPARAMS none = {};
  EXPECT_EQ(dispatch->Invoke(0, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(CountCompletions(window_.Get(), 200), 0);
}

}  // namespace
}  // namespace mb
