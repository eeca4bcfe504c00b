// Stand-in hover program: a hidden dialog-class window titled "Muralbox Mouse Hook". Every
// WM_COPYDATA notice (dwData 1) is appended to hoverpin.log beside the program as a line
// "notice <text>"; the log also gets "start" when the program starts and "close" at WM_CLOSE,
// after which it ends.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/gbk_text.h"

namespace {

constexpr char kTitle[] = "Muralbox Mouse Hook";
constexpr ULONG_PTR kNoticeDataId = 1;

std::string LogPath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  const std::size_t lastBackslash = mb::GbkFindLast(folder, '\\');
  folder.resize(lastBackslash == std::string::npos ? 0 : lastBackslash + 1);
  return folder + "hoverpin.log";
}

void AppendLine(const std::string& line) {
  if (std::FILE* file = std::fopen(LogPath().c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
    std::fclose(file);
  }
}

// The notice text: at most cbData bytes, up to the first zero.
std::string NoticeText(const COPYDATASTRUCT& data) {
  if (!data.lpData || data.cbData == 0) return {};
  const char* bytes = static_cast<const char*>(data.lpData);
  const void* zero = std::memchr(bytes, 0, data.cbData);
  const std::size_t length = zero ? static_cast<const char*>(zero) - bytes : data.cbData;
  return std::string(bytes, length);
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(window, kTitle);
      return TRUE;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!data || data->dwData != kNoticeDataId) return FALSE;
      AppendLine("notice " + NoticeText(*data));
      SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_CLOSE:
      AppendLine("close");
      DestroyWindow(window);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
  }
  return FALSE;
}

// An empty dialog template (DWORD-aligned, as the system requires): the window exists only to be
// found and sent notices.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  EmptyDialogTemplate dialog = {};
  dialog.header.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  dialog.header.cx = 100;
  dialog.header.cy = 40;
  HWND window = CreateDialogIndirectParamA(instance, &dialog.header, nullptr, DialogProc, 0);
  if (!window) return 1;
  AppendLine("start");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return 0;
}
