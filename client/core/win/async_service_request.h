// The asynchronous request of the login: a GET whose completion is posted to a window by an
// HttpRequestSink (WM_LOGIN_REPLY on status 200, WM_LOGIN_FAILED otherwise). A request that has
// not completed within its time-out is aborted and WM_LOGIN_FAILED is posted, so the window
// always hears of the request's end. Used on the thread that created it, which runs a message
// loop; the time-out is a timer of that thread.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>

#include "client/core/win/http_request_sink.h"
#include "client/core/win/service_request.h"
#include "common/win/com_ptr.h"

namespace mb {

class AsyncServiceRequest {
 public:
  AsyncServiceRequest() = default;
  ~AsyncServiceRequest();
  AsyncServiceRequest(const AsyncServiceRequest&) = delete;
  AsyncServiceRequest& operator=(const AsyncServiceRequest&) = delete;

  // Sends the GET. False when the request object cannot be created or the request cannot be
  // sent; nothing is posted then. A request still in flight is cancelled first.
  bool Send(HWND window, const std::string& url, DWORD timeoutMs = kServiceRequestTimeoutMs);

  // Aborts the request in flight; nothing is posted for it afterwards.
  void Cancel();

  // In the window's handler of WM_LOGIN_REPLY: the reply (status 200, decoded). Ends the request.
  ServiceReply ReadReply();

  // True from Send until the completion message is posted or the request is cancelled.
  bool InFlight() const;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void Expire();
  void Finish();

  ComPtr<IXMLHTTPRequest> request_;
  ComPtr<HttpRequestSink> sink_;
  HWND window_ = nullptr;
  UINT_PTR timer_ = 0;
};

}  // namespace mb
