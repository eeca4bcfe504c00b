#include "framework/message_loop.h"

#include <algorithm>

#include "framework/window.h"

namespace fw {

void MessageLoop::AddFilter(MessageFilter* filter) {
  if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) filters_.push_back(filter);
}

void MessageLoop::RemoveFilter(MessageFilter* filter) {
  filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

bool MessageLoop::PreTranslate(MSG& msg) {
  if (Window::WalkPreTranslateChain(msg)) return true;
  // Newest first; copied, since a filter may remove itself (a dialog closing on a key).
  std::vector<MessageFilter*> filters(filters_.rbegin(), filters_.rend());
  for (MessageFilter* filter : filters) {
    if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) continue;
    if (filter->PreTranslateMessage(msg)) return true;
  }
  return false;
}

int MessageLoop::Run() {
  MSG msg;
  for (;;) {
    if (idle_ && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) idle_();
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace fw
