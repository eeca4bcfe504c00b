#include "framework/ui_thread.h"

namespace fw {

bool UiThread::Stop(DWORD waitMs) {
  if (!IsRunning()) return true;
  PostThreadMessageA(ThreadId(), WM_QUIT, 0, 0);
  return WaitForEnd(waitMs);
}

}  // namespace fw
