#include "client/core/win/hover_helper.h"

#include "client/core/win/system_utils.h"

namespace mb {

std::string HoverProgramPath() { return GetCommonFilesFolder() + kHoverProgramUnderCommonFiles; }

HWND FindHoverWindow() { return FindWindowA(kHoverWindowClass, kHoverWindowTitle); }

void StartHoverHelper() { RunProcess("\"" + HoverProgramPath() + "\"", false, false); }

void NotifyHoverHelper(const std::string& linkText, const HoverRegion& region) {
  HWND window = FindHoverWindow();
  if (!window) {
    StartHoverHelper();
    return;
  }
  const std::string notice = FormatHoverNotice(linkText, region);
  COPYDATASTRUCT data = {kHoverNoticeDataId, static_cast<DWORD>(notice.size() + 1), const_cast<char*>(notice.c_str())};
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), 0, kHoverNoticeTimeoutMs, &answer);
}

void CloseHoverHelper() {
  if (HWND window = FindHoverWindow()) PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace mb
