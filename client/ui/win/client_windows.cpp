// The windows the start-up sequence creates.
#include "client/core/win/client_windows.h"

#include <memory>

#include "client/ui/win/main_window.h"

namespace mb {

namespace {
std::unique_ptr<MainWindow>& TheMainWindow() {
  static std::unique_ptr<MainWindow> window;
  return window;
}
}  // namespace

INT_PTR RunLoginDialog(HWND) {
  // No login dialog yet: the program starts logged out.
  return IDCANCEL;
}

void CreateTrayFrame() {}

HWND CreateMainWindow() {
  auto window = std::make_unique<MainWindow>();
  HWND hwnd = window->Create(nullptr);
  if (!hwnd) return nullptr;
  ShowWindow(hwnd, SW_SHOW);
  TheMainWindow() = std::move(window);
  return hwnd;
}

void DestroyMainWindow() { TheMainWindow().reset(); }

}  // namespace mb
