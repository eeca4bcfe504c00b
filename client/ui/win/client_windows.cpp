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

// The main window as the tray menu drives it.
class ClientMenuTarget final : public TrayMenuTarget {
 public:
  HWND Window() const override { return MainWindowHandle(); }
  void ShowTabFromTray(int tabCommand) override {
    if (MainWindow* main = CurrentMainWindow()) main->ShowTabFromTray(static_cast<UINT>(tabCommand));
  }
  bool TabElementOrigin(int elementId, POINT& topLeft) const override {
    const MainWindow* main = CurrentMainWindow();
    return main && main->TabElementOrigin(elementId, topLeft);
  }
  void ResetPagesAfterLogin() override {
    if (MainWindow* main = CurrentMainWindow()) main->ResetPagesAfterLogin();
  }
};

}  // namespace

LoginOutcome RunLoginDialog(HWND owner) {
  LoginDialog dialog;
  const INT_PTR result = dialog.Run(owner);
  if (MainWindow* main = CurrentMainWindow()) main->RunQueuedLinksLater();
  if (result != IDOK) return LoginOutcome::kClosed;
  return dialog.LoggedIn() ? LoginOutcome::kLoggedIn : LoginOutcome::kLinkTaken;
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
