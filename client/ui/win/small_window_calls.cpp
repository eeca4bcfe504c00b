#include "client/ui/win/small_window_calls.h"

namespace mb {

void SetFloatWindowShown(bool) {}

void StartPopupThread() {}

void StopPopupThread() {}

void ShowPicturePreview(const std::vector<std::string>&) {}

HWND CreatePictureView(HWND parent, const RECT& rect, int id) {
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void LoadPictureView(HWND, const std::string&) {}

}  // namespace mb
