// What the request tests share: the stand-in service's address, the login request for one of
// its accounts, and a pump that waits for a window's completion message.
#pragma once

#include <windows.h>

#include <string>

#include "client/core/md5_digest.h"
#include "client/core/service_url.h"

namespace mb {
namespace testing_support {

inline std::string ServiceBase() {
  return std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
}

// The account "张三" with password "123456", which the stand-in service knows.
inline const std::string kUserGbk = "张三";
inline const std::string kUserQueryValue = "%D5%C5%C8%FD";

inline QueryText LoginQuery() {
  return QueryText().Add("user", kUserGbk).Add("pass", Md5Hex("123456")).Add("clientver", "1").Add("confver", "1");
}

inline std::string LoginUrl() { return ServiceUrl(ServiceBase(), "/kivane/passport.jsp", LoginQuery()); }

// Dispatches the thread's messages for up to timeoutMs and returns the first posted message in
// [first, last] for the window (0 when none came); count gets how many such messages came.
inline UINT PumpForMessage(HWND window, UINT first, UINT last, DWORD timeoutMs, int* count = nullptr) {
  const DWORD start = GetTickCount();
  UINT seen = 0;
  int seenCount = 0;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message >= first && msg.message <= last && msg.hwnd == window) {
        if (!seen) seen = msg.message;
        ++seenCount;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if ((seen && !count) || elapsed >= timeoutMs) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 20 ? timeoutMs - elapsed : 20, QS_ALLINPUT);
  }
  if (count) *count = seenCount;
  return seen;
}

}  // namespace testing_support
}  // namespace mb
