// The windows the start-up sequence creates.
#include "client/core/win/client_windows.h"

#include <memory>

#include "client/core/client_config.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/win/login_dialog.h"
#include "client/ui/win/main_window.h"
#include "client/ui/win/tray_services.h"

namespace mb {

namespace {

std::unique_ptr<MainWindow>& TheMainWindow() {
  static std::unique_ptr<MainWindow> window;
  return window;
}

// The login dialog and the main window as the tray frame's shut-down sees them.
class ClientExitWindows final : public FrameExitWindows {
 public:
  void HideForExit() override {
    if (LoginDialog* login = CurrentLoginDialog()) login->HideForExit();
    if (HWND main = MainWindowHandle()) ShowWindow(main, SW_HIDE);
  }
  void CloseForExit() override {
    if (LoginDialog* login = CurrentLoginDialog()) login->EndDialog(IDCANCEL);
    if (MainWindow* main = TheMainWindow().get(); main && main->IsWindow()) {
      main->quitting = 1;
      main->Close();
    }
  }
};

// The main window as the tray menu drives it. Its pages and tab bar come with the main window's
// pages; until then a page command reaches it as its tab command.
class ClientMenuTarget final : public TrayMenuTarget {
 public:
  HWND Window() const override { return MainWindowHandle(); }
  void ShowTabFromTray(int tabCommand) override {
    if (MainWindow* main = CurrentMainWindow()) main->ShowTabFromTray(static_cast<UINT>(tabCommand));
  }
  bool TabElementOrigin(int, POINT&) const override { return false; }
  void ResetPagesAfterLogin() override {
    if (MainWindow* main = CurrentMainWindow()) main->ResetPagesAfterLogin();
  }
};

}  // namespace

INT_PTR RunLoginDialog(HWND owner) {
  LoginDialog dialog;
  return dialog.Run(owner);
}

void CreateTrayFrame() {
  static ClientExitWindows windows;
  static ClientMenuTarget menuTarget;
  TrayFrame::CreateTrayFrame(MakeClientFrameParts(&menuTarget, &windows));
}

HWND CreateMainWindow() {
  auto window = std::make_unique<MainWindow>();
  HWND hwnd = window->Create(nullptr);
  if (!hwnd) return nullptr;
  TheMainWindow() = std::move(window);
  ShowWindow(hwnd, SW_SHOW);
  GetClientConfig()->mainWindowShown = 1;
  return hwnd;
}

void DestroyMainWindow() { TheMainWindow().reset(); }

MainWindow* CurrentMainWindow() {
  MainWindow* window = TheMainWindow().get();
  return window && window->IsWindow() ? window : nullptr;
}

HWND MainWindowHandle() {
  const MainWindow* window = TheMainWindow().get();
  return window && window->IsWindow() ? window->Handle() : nullptr;
}

}  // namespace mb
