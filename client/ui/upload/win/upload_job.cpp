#include "client/ui/upload/win/upload_job.h"

#include <functional>

#include "client/core/win/service_request.h"
#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/upload/upload_registration.h"
#include "common/win/com_ptr.h"
#include "common/win/thread_start.h"

namespace mb {

UploadJob::UploadJob(HWND page, unsigned serial, UploadForm form, std::string site)
    : page_(page), serial_(serial), form_(std::move(form)), site_(std::move(site)) {}

void UploadJob::ShowUploadError(const char* text) {
  std::lock_guard<std::mutex> hold(lock_);
  transferError_ = text ? text : "";
}

void UploadJob::SetUploadProgress(unsigned percent) { Post(WM_PROGRESS_PERCENT, percent); }

UploadFailure UploadJob::Failure() const {
  std::lock_guard<std::mutex> hold(lock_);
  return failure_;
}

std::string UploadJob::TransferError() const {
  std::lock_guard<std::mutex> hold(lock_);
  return transferError_;
}

void UploadJob::Post(UINT message, WPARAM wParam) const { PostMessageA(page_, message, wParam, 0); }

void UploadJob::Run() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const upload::UploadStamp stamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                                  GetTickCount()};
  const UploadTarget target = MakeUploadTarget(form_.path, form_.user, stamp);
  const int sent = SocketFileSender(form_.path.c_str(), target.dateFolder.c_str(), target.minuteFolder.c_str(),
                                    target.remoteName.c_str(), target.wireUser.c_str(), this);
  if (!StopRequested()) {
    UploadFailure failure = sent ? UploadFailure::kNone : UploadFailure::kTransfer;
    if (sent) {
      ComApartment com;
      const ServiceReply reply = ServicePost(RegistrationUrl(site_, form_, target), "");
      if (!RegistrationAccepted(reply.status, reply.text)) failure = UploadFailure::kRegistration;
    }
    {
      std::lock_guard<std::mutex> hold(lock_);
      failure_ = failure;
    }
    Post(failure == UploadFailure::kNone ? WM_UPLOAD_DONE : WM_UPLOAD_FAILED, serial_);
  }
  Post(WM_UPLOAD_ENDED, serial_);
}

namespace {

DWORD WINAPI UploadWorker(void* param) {
  std::unique_ptr<std::shared_ptr<UploadJob>> held(static_cast<std::shared_ptr<UploadJob>*>(param));
  (*held)->Run();
  return 0;
}

DWORD WINAPI RunWork(void* param) {
  std::unique_ptr<std::shared_ptr<std::function<void()>>> held(
      static_cast<std::shared_ptr<std::function<void()>>*>(param));
  (**held)();
  return 0;
}

}  // namespace

HANDLE StartUploadWorker(const std::shared_ptr<UploadJob>& job) {
  auto* held = new std::shared_ptr<UploadJob>(job);
  const HANDLE thread = mb::BeginThread(UploadWorker, held);
  if (!thread) delete held;
  return thread;
}

bool WaitPumpingMessages(HANDLE thread, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    const DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, timeoutMs - spent, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {  // kept for the loop that owns it
        PostQuitMessage(static_cast<int>(msg.wParam));
        return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

namespace {

HANDLE StartWork(std::function<void()> work) {
  auto* held = new std::shared_ptr<std::function<void()>>(std::make_shared<std::function<void()>>(std::move(work)));
  const HANDLE thread = mb::BeginThread(RunWork, held);
  if (!thread) delete held;
  return thread;
}

}  // namespace

bool StartDetachedWork(std::function<void()> work) {
  const HANDLE thread = StartWork(std::move(work));
  if (thread) CloseHandle(thread);
  return thread != nullptr;
}

bool RunOffUiThread(std::function<void()> work, DWORD timeoutMs) {
  const HANDLE thread = StartWork(std::move(work));
  if (!thread) return false;
  const bool ended = WaitPumpingMessages(thread, timeoutMs);
  CloseHandle(thread);
  return ended;
}

}  // namespace mb
