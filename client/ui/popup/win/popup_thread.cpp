#include "client/ui/popup/win/popup_thread.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "client/core/client_config.h"
#include "client/core/win/system_utils.h"
#include "client/ui/popup/win/popup_window.h"
#include "client/ui/win/small_window_calls.h"
#include "common/atomic_file.h"
#include "common/win/thread_start.h"
#include "common/win/url_fetch.h"

namespace mb {
namespace {

// One run of the popup thread. The thread and StopPopupThread share it, so a thread that
// outlives the stop's wait still finds its event.
struct PopupRun {
  PopupRun(const PopupSchedule& schedule, PopupObserver* observer) : schedule(schedule), observer(observer) {}
  ~PopupRun() {
    if (stop) CloseHandle(stop);
  }
  PopupRun(const PopupRun&) = delete;
  PopupRun& operator=(const PopupRun&) = delete;

  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // manual reset
  std::atomic<int> exiting{0};  // set by StopPopupThread: no popup may finish its slide
  const PopupSchedule schedule;
  PopupObserver* const observer;
};

struct PopupThreadState {
  std::mutex lock;
  HANDLE thread = nullptr;  // kept when the thread ends by itself: it is not started again
  std::shared_ptr<PopupRun> run;
  PopupSchedule schedule;
  PopupObserver* observer = nullptr;
};

PopupThreadState& State() {
  static PopupThreadState state;
  return state;
}

class PopupThreadHost final : public PopupNotifierHost {
 public:
  explicit PopupThreadHost(PopupRun& run) : run_(run) {}

  std::int64_t NowSeconds() override { return GetUnixTime(); }

  bool WaitForStop(unsigned milliseconds) override {
    return WaitForSingleObject(run_.stop, milliseconds) != WAIT_TIMEOUT;
  }

  std::optional<std::string> FetchList(const std::string& url) override {
    const std::string file = NewTemporaryFile("NEW");
    if (file.empty()) return std::nullopt;
    UrlFetchLimits limits;
    limits.timeLimitMs = run_.schedule.listTimeLimitMs;
    limits.stop = &run_.exiting;
    const UrlFetchResult fetched = FetchUrlToFile(url, file, limits);
    std::optional<std::string> list;
    if (fetched.completed && fetched.status == 200) list = ReadWholeFile(file);
    if (list && fetched.contentLength >= 0 && static_cast<long long>(list->size()) != fetched.contentLength) {
      list.reset();  // cut short
    }
    DeleteFileA(file.c_str());
    return list;
  }

  void Show(const PopupItem& item) override {
    const ClientConfig* config = GetClientConfig();
    PopupWindow popup(config ? config->skinLayout : 2, [this] { SetEvent(run_.stop); });
    if (!popup.Create(item)) return;
    popup.Load(item.pageUrl, run_.schedule.displayMs, run_.schedule.loadTimeoutMs);
    if (run_.observer) run_.observer->OnPopupShown(popup);
    RunMessageLoop(popup);
  }

 private:
  // Until the popup's WM_DESTROY posts WM_QUIT. On the stop the popup goes at once, unless a
  // link click stopped the run and the popup is sliding out, which it may finish.
  void RunMessageLoop(PopupWindow& popup) {
    bool stopped = false;
    for (;;) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (!fw::Window::WalkPreTranslateChain(msg)) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
      }
      if (!popup.IsWindow()) return;
      if (!stopped) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &run_.stop, FALSE, INFINITE, QS_ALLINPUT);
        stopped = woke != WAIT_OBJECT_0 + 1;
      } else {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PopupWindow::kSlideMs, QS_ALLINPUT);
      }
      if (stopped && (run_.exiting || !popup.SlidingOut())) DestroyWindow(popup.Handle());
    }
  }

  PopupRun& run_;
};

DWORD WINAPI PopupThreadMain(void* param) {
  std::unique_ptr<std::shared_ptr<PopupRun>> held(static_cast<std::shared_ptr<PopupRun>*>(param));
  PopupRun& run = **held;
  const HRESULT ole = OleInitialize(nullptr);
  {
    PopupThreadHost host(run);
    PopupNotifier(host, ThePopupSettings(), run.schedule).Run();
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return 0;
}

// Waits for the thread up to milliseconds, answering messages other threads send to this one
// meanwhile; true when it ended.
bool WaitForThreadEnd(HANDLE thread, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, milliseconds - elapsed, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

void SetPopupSchedule(const PopupSchedule& schedule) {
  std::lock_guard<std::mutex> hold(State().lock);
  State().schedule = schedule;
}

void SetPopupObserver(PopupObserver* observer) {
  std::lock_guard<std::mutex> hold(State().lock);
  State().observer = observer;
}

void StartPopupThread() {
  PopupThreadState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  if (state.thread) return;
  auto run = std::make_shared<PopupRun>(state.schedule, state.observer);
  if (!run->stop) return;
  auto* held = new std::shared_ptr<PopupRun>(run);
  HANDLE thread = mb::BeginThread(PopupThreadMain, held);
  if (!thread) {
    delete held;
    return;
  }
  state.thread = thread;
  state.run = std::move(run);
}

void StopPopupThread() {
  PopupThreadState& state = State();
  HANDLE thread = nullptr;
  std::shared_ptr<PopupRun> run;
  {
    std::lock_guard<std::mutex> hold(state.lock);
    thread = state.thread;
    run = std::move(state.run);
    state.thread = nullptr;
  }
  if (!run) return;
  run->exiting = 1;
  SetEvent(run->stop);
  // A thread still running after the wait (a download that does not answer its callback) keeps
  // its share of the run and ends on its own.
  WaitForThreadEnd(thread, run->schedule.stopWaitMs);
  CloseHandle(thread);
}

}  // namespace mb
