// A window that stands in for the uploader's frame in the engine's tests: it records every engine
// message in the order of arrival, and, like the uploader's view, sets CConfig's first-block flag
// at the first acknowledged block and counts the first picture done then.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace uploadtest {

struct EngineMessage {
  UINT message;
  WPARAM wParam;
};

class EngineTestWindow {
 public:
  EngineTestWindow();
  ~EngineTestWindow();
  EngineTestWindow(const EngineTestWindow&) = delete;
  EngineTestWindow& operator=(const EngineTestWindow&) = delete;

  HWND Handle() const { return window_; }
  const std::vector<EngineMessage>& Messages() const { return messages_; }
  int Count(UINT message) const;
  int Count(UINT message, WPARAM wParam) const;

  // Handles this thread's messages until done() holds or the time is up; true when it held.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::vector<EngineMessage> messages_;
};

// Threads of this process right now.
int ThreadCount();

}  // namespace uploadtest
