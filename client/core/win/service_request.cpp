#include "client/core/win/service_request.h"

#include <vector>

#include "client/core/reply_charset.h"
#include "client/core/reply_length.h"
#include "client/core/win/msxml_support.h"

namespace mb {
namespace {

constexpr long kReadyStateComplete = 4;
constexpr long kHttpOk = 200;
// How often the wait looks at the request between messages.
constexpr DWORD kPollMs = 20;

enum class WaitEnd { kComplete, kTimedOut, kQuit, kComError };

// Dispatches the thread's messages until the request completes, the time-out passes or WM_QUIT
// arrives; a WM_QUIT is put back for the thread's own loop.
WaitEnd WaitForCompletion(IXMLHTTPRequest* request, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    long state = 0;
    if (FAILED(request->get_readyState(&state))) return WaitEnd::kComError;
    if (state == kReadyStateComplete) return WaitEnd::kComplete;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return WaitEnd::kTimedOut;
    const DWORD remaining = timeoutMs - elapsed;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, remaining < kPollMs ? remaining : kPollMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return WaitEnd::kQuit;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool IsComplete(IXMLHTTPRequest* request) {
  long state = 0;
  return SUCCEEDED(request->get_readyState(&state)) && state == kReadyStateComplete;
}

// The requests this thread abandoned before they completed, each holding one reference. A plain
// pointer per thread: a thread-local object with a destructor is not safe at thread exit with
// this runtime, and what is still pending then is not to be released anyway. The list exists
// only while it holds requests.
thread_local std::vector<IXMLHTTPRequest*>* abandonedRequests = nullptr;

void KeepAbandoned(ComPtr<IXMLHTTPRequest> request) {
  if (!abandonedRequests) abandonedRequests = new std::vector<IXMLHTTPRequest*>;
  abandonedRequests->push_back(request.Detach());
}

void ReleaseCompletedAbandoned() {
  if (!abandonedRequests) return;
  std::vector<IXMLHTTPRequest*>& requests = *abandonedRequests;
  for (std::size_t i = 0; i < requests.size();) {
    if (IsComplete(requests[i])) {
      requests[i]->Release();
      requests.erase(requests.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  if (requests.empty()) {
    delete abandonedRequests;
    abandonedRequests = nullptr;
  }
}

ServiceReply Failure(RequestFailure failure, long status = 0) {
  ServiceReply reply;
  reply.failure = failure;
  reply.status = status;
  return reply;
}

// A header of the reply as text; empty when the reply has none.
std::string ResponseHeader(IXMLHTTPRequest* request, const wchar_t* name) {
  const BStr headerName(name);
  BStr value;
  if (FAILED(request->getResponseHeader(headerName.Get(), value.Out()))) return {};
  return WideToGbk(value.View());
}

bool IsAscii(std::string_view bytes) {
  for (unsigned char c : bytes) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

const char* RequestFailureName(RequestFailure failure) {
  switch (failure) {
    case RequestFailure::kNone: return "none";
    case RequestFailure::kNoRequestObject: return "no request object";
    case RequestFailure::kComError: return "COM error";
    case RequestFailure::kTimedOut: return "timed out";
    case RequestFailure::kInterrupted: return "interrupted";
    case RequestFailure::kHttpStatus: return "HTTP status";
    case RequestFailure::kUndecodable: return "undecodable";
    case RequestFailure::kCutShort: return "cut short";
  }
  return "unknown";
}

void AbandonRequest(ComPtr<IXMLHTTPRequest> request) {
  if (!request) return;
  if (IsComplete(request.Get())) return;  // nothing is pending: released here
  request->abort();
  KeepAbandoned(std::move(request));
}

ComPtr<IXMLHTTPRequest> CreateXmlHttpRequest() {
  ReleaseCompletedAbandoned();
  for (const wchar_t* progId : {L"Msxml2.XMLHTTP", L"Microsoft.XMLHTTP"}) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid))) continue;
    ComPtr<IXMLHTTPRequest> request;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IXMLHTTPRequest,
                                   request.OutVoid())) &&
        request) {
      return request;
    }
  }
  return nullptr;
}

bool DecodeReplyText(std::string_view contentType, std::string_view body, std::string& gbkText) {
  gbkText.clear();
  const ReplyEncoding encoding = DetectReplyEncoding(contentType, body);
  body.remove_prefix(encoding.textStart);
  std::wstring wide;
  switch (encoding.charset) {
    case ReplyCharset::kGbk:
      if (!CodePageToWide(kGbkCodePage, body, true, wide)) return false;
      gbkText.assign(body);
      return true;
    case ReplyCharset::kAscii:
      if (!IsAscii(body)) return false;
      gbkText.assign(body);
      return true;
    case ReplyCharset::kUtf8:
      if (!CodePageToWide(CP_UTF8, body, true, wide)) return false;
      gbkText = WideToGbk(wide);
      return true;
    case ReplyCharset::kUnsupported:
      return false;
  }
  return false;
}

ServiceReply ReadCompletedReply(IXMLHTTPRequest* request) {
  long status = 0;
  if (FAILED(request->get_status(&status))) return Failure(RequestFailure::kComError);
  if (status != kHttpOk) return Failure(RequestFailure::kHttpStatus, status);

  Variant body;
  std::string bytes;
  if (FAILED(request->get_responseBody(body.Out())) || !body.ReadBytes(bytes)) {
    return Failure(RequestFailure::kComError, status);
  }
  // A connection that ends early still completes the request with status 200.
  if (ReplyCutShort(ResponseHeader(request, L"Content-Length"), ResponseHeader(request, L"Content-Encoding"),
                    bytes.size())) {
    return Failure(RequestFailure::kCutShort, status);
  }

  ServiceReply reply;
  reply.status = status;
  // A reply without the header reads as undeclared.
  if (!DecodeReplyText(ResponseHeader(request, L"Content-Type"), bytes, reply.text)) {
    return Failure(RequestFailure::kUndecodable, status);
  }
  return reply;
}

ServiceReply SendServiceRequest(const ServiceCall& call) {
  ComPtr<IXMLHTTPRequest> request = CreateXmlHttpRequest();
  if (!request) return Failure(RequestFailure::kNoRequestObject);

  // The asynchronous form, so that the wait below can end it: the synchronous send of XMLHTTP
  // has no time-out of its own.
  const BStr method = BStr::FromGbk(call.method);
  const BStr url = BStr::FromGbk(call.url);
  Variant async = Variant::Bool(true);
  Variant noUser, noPassword;
  if (FAILED(request->open(method.Get(), url.Get(), async.Get(), noUser.Get(), noPassword.Get()))) {
    return Failure(RequestFailure::kComError);
  }
  if (call.formContentType) {
    const BStr name(L"Content-Type");
    const BStr value(L"application/x-www-form-urlencoded");
    if (FAILED(request->setRequestHeader(name.Get(), value.Get()))) return Failure(RequestFailure::kComError);
  }
  // The body goes as bytes: a text body would be re-encoded as UTF-8 on the way.
  Variant body = call.body.empty() ? Variant() : Variant::Bytes(call.body);
  if (FAILED(request->send(body.Get()))) return Failure(RequestFailure::kComError);

  switch (WaitForCompletion(request.Get(), call.timeoutMs)) {
    case WaitEnd::kComplete:
      return ReadCompletedReply(request.Get());
    case WaitEnd::kTimedOut:
      AbandonRequest(std::move(request));
      return Failure(RequestFailure::kTimedOut);
    case WaitEnd::kQuit:
      AbandonRequest(std::move(request));
      return Failure(RequestFailure::kInterrupted);
    case WaitEnd::kComError:
      AbandonRequest(std::move(request));
      return Failure(RequestFailure::kComError);
  }
  return Failure(RequestFailure::kComError);
}

ServiceReply ServiceGet(const std::string& url, bool formContentType) {
  ServiceCall call;
  call.url = url;
  call.formContentType = formContentType;
  return SendServiceRequest(call);
}

ServiceReply ServicePost(const std::string& url, const std::string& formBody) {
  ServiceCall call;
  call.method = "POST";
  call.url = url;
  call.body = formBody;
  call.formContentType = true;
  return SendServiceRequest(call);
}

}  // namespace mb
