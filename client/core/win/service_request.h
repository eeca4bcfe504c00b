// Requests to the service through the system's XMLHTTP object. Every thread that makes requests
// has COM of its own (mb::ComApartment) and creates its own request object for each request;
// no request object crosses threads.
//
// A reply is used only with HTTP status 200. Its bytes are decoded by the charset it declares
// (GBK when none) and handed out as GBK text. Every wait is bounded: a request that has not
// completed within its time-out is aborted and fails.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>
#include <string_view>

#include "common/win/com_ptr.h"

namespace mb {

constexpr DWORD kServiceRequestTimeoutMs = 30000;

enum class RequestFailure {
  kNone,
  kNoRequestObject,  // neither XMLHTTP object could be created; nothing was sent
  kComError,         // a call of the request object failed (bad address, refused connection, ...)
  kTimedOut,         // no complete reply within the time-out; the request was aborted
  kInterrupted,      // the thread was told to quit while it waited; the quit message is kept
  kHttpStatus,       // a reply came with a status other than 200
  kUndecodable,      // the reply's charset is not one the client reads, or its bytes are broken
  kCutShort,         // the connection ended before the whole announced body arrived
};

const char* RequestFailureName(RequestFailure failure);

struct ServiceReply {
  RequestFailure failure = RequestFailure::kNone;
  long status = 0;   // the HTTP status when one was received
  std::string text;  // GBK; set only on success

  bool ok() const { return failure == RequestFailure::kNone; }
};

struct ServiceCall {
  std::string method = "GET";
  std::string url;
  std::string body;              // bytes as sent; a form body is already percent-encoded
  bool formContentType = false;  // sends Content-Type "application/x-www-form-urlencoded"
  DWORD timeoutMs = kServiceRequestTimeoutMs;
};

// The request object: "Msxml2.XMLHTTP", else "Microsoft.XMLHTTP"; null when neither exists.
ComPtr<IXMLHTTPRequest> CreateXmlHttpRequest();

// Sends the request on the calling thread and waits for its reply, dispatching the thread's
// messages meanwhile (the request object completes through them).
ServiceReply SendServiceRequest(const ServiceCall& call);

// The usual calls: a GET, and a POST of a form body (always with the form content type).
ServiceReply ServiceGet(const std::string& url, bool formContentType = false);
ServiceReply ServicePost(const std::string& url, const std::string& formBody);

// The reply of a request whose readyState is 4: status 200, all the bytes its Content-Length
// announced, then its bytes decoded.
ServiceReply ReadCompletedReply(IXMLHTTPRequest* request);

// Aborts a request that has not completed and keeps the object on this thread until it does.
// Wine's XMLHTTP still delivers the late reply of an aborted request through its pointer to the
// request object, so releasing it earlier crashes the process when the server answers at last.
// A request that never completes stays for the life of the thread and is not released then
// (COM may already be gone).
void AbandonRequest(ComPtr<IXMLHTTPRequest> request);

// Reply bytes to GBK text by the declared charset; false when they cannot be read.
bool DecodeReplyText(std::string_view contentType, std::string_view body, std::string& gbkText);

}  // namespace mb
