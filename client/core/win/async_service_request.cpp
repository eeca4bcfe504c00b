#include "client/core/win/async_service_request.h"

#include <map>

namespace mb {
namespace {

// Thread timers carry no data: each thread maps its timers to their requests. A plain pointer
// per thread (a thread-local object with a destructor is not safe at thread exit with this
// runtime); the map exists only while the thread has timers.
thread_local std::map<UINT_PTR, AsyncServiceRequest*>* threadTimers = nullptr;

void AddTimer(UINT_PTR timer, AsyncServiceRequest* request) {
  if (!threadTimers) threadTimers = new std::map<UINT_PTR, AsyncServiceRequest*>;
  (*threadTimers)[timer] = request;
}

void RemoveTimer(UINT_PTR timer) {
  if (!threadTimers) return;
  threadTimers->erase(timer);
  if (threadTimers->empty()) {
    delete threadTimers;
    threadTimers = nullptr;
  }
}

AsyncServiceRequest* FindTimer(UINT_PTR timer) {
  if (!threadTimers) return nullptr;
  const auto found = threadTimers->find(timer);
  return found == threadTimers->end() ? nullptr : found->second;
}

}  // namespace

AsyncServiceRequest::~AsyncServiceRequest() { Cancel(); }

bool AsyncServiceRequest::Send(HWND window, const std::string& url, DWORD timeoutMs) {
  Cancel();
  request_ = CreateXmlHttpRequest();
  if (!request_) return false;
  sink_ = HttpRequestSink::Create(request_.Get(), window);
  window_ = window;

  const BStr method(L"GET");
  const BStr address = BStr::FromGbk(url);
  Variant async = Variant::Bool(true);
  Variant noUser, noPassword, noBody;
  if (FAILED(request_->put_onreadystatechange(sink_.Get())) ||
      FAILED(request_->open(method.Get(), address.Get(), async.Get(), noUser.Get(), noPassword.Get())) ||
      FAILED(request_->send(noBody.Get()))) {
    Finish();
    return false;
  }
  // A reply that completed inside send has already been posted; the timer then ends quietly.
  timer_ = SetTimer(nullptr, 0, timeoutMs, &AsyncServiceRequest::OnTimer);
  if (timer_) AddTimer(timer_, this);
  return true;
}

void AsyncServiceRequest::Cancel() {
  if (InFlight()) {
    sink_->Disarm();
    request_->put_onreadystatechange(nullptr);
    AbandonRequest(std::move(request_));
  }
  Finish();
}

ServiceReply AsyncServiceRequest::ReadReply() {
  ServiceReply reply;
  if (!request_ || !sink_ || !sink_->posted()) {
    reply.failure = RequestFailure::kComError;
  } else {
    reply = ReadCompletedReply(request_.Get());
  }
  Finish();
  return reply;
}

bool AsyncServiceRequest::InFlight() const { return request_ && sink_ && !sink_->posted(); }

void CALLBACK AsyncServiceRequest::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  AsyncServiceRequest* request = FindTimer(timer);
  if (!request) {
    KillTimer(nullptr, timer);
    return;
  }
  request->Expire();
}

void AsyncServiceRequest::Expire() {
  const HWND window = window_;
  const bool stillWaiting = InFlight();
  Cancel();
  if (stillWaiting && window) PostMessageA(window, WM_LOGIN_FAILED, 0, 0);
}

void AsyncServiceRequest::Finish() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    RemoveTimer(timer_);
    timer_ = 0;
  }
  if (sink_) sink_->Disarm();
  // The request holds the sink as its handler: let go of it so that both are freed. A request
  // still here has completed or never got under way, so releasing it is safe.
  if (request_) request_->put_onreadystatechange(nullptr);
  sink_.Reset();
  request_.Reset();
  window_ = nullptr;
}

}  // namespace mb
