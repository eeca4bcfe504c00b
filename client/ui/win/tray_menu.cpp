#include "client/ui/win/tray_menu.h"

#include "client/core/client_config.h"
#include "client/core/skin_switch.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/startup.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/res/resource.h"
#include "client/core/win/client_windows.h"
#include "client/ui/win/small_window_calls.h"

namespace mb {
namespace {

const char kMenuImage[] = "tray_menu";
const char kSkinSwitched[] = "更换皮肤成功，重新启动应用程序生效";
const char kSkinSwitchFailed[] = "更换皮肤失败，皮肤文件不全或无法写入，原皮肤保持不变";
constexpr DWORD kMenuExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;  // 0x88

// Where the skin menu opens, from the menu window's top-left corner, per layout.
POINT SkinMenuOffset(int layout) {
  if (layout == 1) return {188, 100};
  if (layout == 3) return {104, 156};
  return {104, 167};
}

LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace

TrayMenu::TrayMenu(int skinLayout, TrayMenuTarget* target)
    : layout_(skinLayout), target_(target), host_(skinLayout) {
  Handle(WM_ERASEBKGND, &TrayMenu::OnEraseBackground);
  Handle(WM_MOUSEMOVE, &TrayMenu::OnMouse);
  Handle(WM_LBUTTONUP, &TrayMenu::OnMouse);
  Handle(WM_LBUTTONDOWN, &TrayMenu::OnButtonDown);
  Handle(WM_LBUTTONDBLCLK, &TrayMenu::OnHideMessage);
  Handle(WM_ACTIVATEAPP, &TrayMenu::OnActivateApp);
  Handle(WM_CLOSE, &TrayMenu::OnSwallow);
  Handle(WM_LOGIN_STATE_CHANGED, &TrayMenu::OnLoginStateChanged);
  Command(kTrayClose, &TrayMenu::Hide);
  Command(kTrayMinimise, &TrayMenu::Hide);
  Command(kTrayFloatWindow, &TrayMenu::ToggleFloatWindow);
  Command(kTrayLogin, &TrayMenu::LogInOrOut);
  Command(kTraySkinMenu, &TrayMenu::ShowSkinMenu);
  struct Page {
    int command, tab, element;
  };
  static const Page kPages[] = {{kTrayDownloadPage, 20001, 10001}, {kTrayUploadPage, 20002, 10002},
                                {kTrayWallpaperPage, 20000, 10000}, {kTrayRankingPage, 20003, 10003},
                                {kTraySettingsPage, 20004, 10004},  {kTrayPersonalPage, 20005, 10005}};
  for (const Page& page : kPages) {
    Map().OnCommand(page.command, [this, page](UINT, HWND) { ShowPage(page.tab, page.element); });
  }
  Map().OnCommand(kTrayHelp, [](UINT, HWND) {
    OpenUrlInBrowser(GetClientConfig()->SharedText(&ClientConfig::homeAddress) + "/service.jsp");
  });
  Map().OnCommand(kTrayHomePage,
                 [](UINT, HWND) { OpenUrlInBrowser(GetClientConfig()->SharedText(&ClientConfig::homeAddress)); });
  Map().OnCommand(kTrayExit, [](UINT, HWND) { ExitApplication(); });
  Map().OnCommand(kTraySkinLayout2, [this](UINT, HWND) { SwitchSkin(2); });
  Map().OnCommand(kTraySkinLayout3, [this](UINT, HWND) { SwitchSkin(3); });
}

TrayMenu::~TrayMenu() { DestroyMenuWindow(); }

fw::WindowClassSpec TrayMenu::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "MuralboxTrayMenu";
  spec.background = nullptr;
  return spec;
}

bool TrayMenu::CreateMenuWindow() {
  if (IsWindow()) return true;
  SkinSchemeRef scheme;
  RECT rect = {};
  if (!scheme || FAILED(scheme->GetImageRect(&rect, kMenuImage)) || rect.right <= 0 || rect.bottom <= 0) {
    return false;
  }
  image_ = {rect.right - rect.left, rect.bottom - rect.top};
  if (!Create(nullptr, "", WS_POPUP, kMenuExStyle, &rect)) return false;
  if (HRGN region = scheme->GetImageRegion(kMenuImage)) {
    if (!SetWindowRgn(Handle(), region, FALSE)) DeleteObject(region);  // the window owns it once set
  }
  ClientConfig& config = *GetClientConfig();
  host_.Attach(Handle());
  host_.AddLayoutElements(skin::SkinWindow::kTrayMenu,
                          {config.showFloatWindow != 0, config.loggedIn != 0});
  config.trayMenuWindow = Handle();
  return true;
}

void TrayMenu::DestroyMenuWindow() {
  if (!IsWindow()) return;
  if (ClientConfig* config = GetClientConfig(); config && config->trayMenuWindow == Handle()) {
    config->trayMenuWindow = nullptr;
  }
  DestroyWindow(Handle());
}

MenuRect TrayMenu::PlaceAt(POINT cursor, SIZE image) {
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return PlaceTrayMenu(cursor.x, cursor.y, image.cx, image.cy, GetSystemMetrics(SM_CXMAXIMIZED),
                       {work.left, work.top, work.right, work.bottom});
}

void TrayMenu::ShowAtCursor() {
  if (!IsWindow() && !CreateMenuWindow()) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  const MenuRect r = PlaceAt(cursor, image_);
  SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void TrayMenu::Hide() {
  if (IsWindow()) ShowWindow(Handle(), SW_HIDE);
}

std::string TrayMenu::ItemText(int id) const {
  return const_cast<skin::SkinElementHost&>(host_).Elements().GetElementText(id);
}

LRESULT TrayMenu::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SkinSchemeRef scheme;
  if (scheme) scheme->DrawImage(dc, kMenuImage, 0, 0, 0, 0, SRCCOPY);
  host_.Draw(dc);
  return 1;
}

LRESULT TrayMenu::OnMouse(const fw::Message& m) {
  host_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT TrayMenu::OnButtonDown(const fw::Message& m) {
  if (host_.OnMouseMessage(m.id, m.wParam, m.lParam) < 0) {
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);  // drag the menu by any free spot
  }
  return 0;
}

LRESULT TrayMenu::OnHideMessage(const fw::Message&) {
  Hide();
  return 0;
}

LRESULT TrayMenu::OnActivateApp(const fw::Message& m) {
  if (m.wParam == 0) Hide();
  return 0;
}

LRESULT TrayMenu::OnSwallow(const fw::Message&) { return 0; }

LRESULT TrayMenu::OnLoginStateChanged(const fw::Message& m) {
  if (m.wParam == 1) {
    host_.Elements().SetElementText(kTrayFloatWindow, "开拖拽框");
  } else {
    ShowLoginLabel(true);  // a login request went out
  }
  return 0;
}

void TrayMenu::ShowLoginLabel(bool loggedIn) {
  const char* text = layout_ == 1 ? (loggedIn ? "注销" : "登录") : (loggedIn ? "注  销" : "登  录");
  host_.Elements().SetElementText(kTrayLogin, text);
}

void TrayMenu::ShowPage(int tabCommand, int elementId) {
  const HWND main = target_ ? target_->Window() : nullptr;
  if (!main) return;
  ShowWindow(main, SW_SHOW);
  POINT origin = {};
  // Skin 1, or a main window without tab-bar elements: its tab command.
  if (layout_ == 1 || !target_->TabElementOrigin(elementId, origin)) {
    target_->ShowTabFromTray(tabCommand);
    return;
  }
  if (GetClientConfig()->loggedIn) {
    POINT shown = {};
    if (shownPageElement_ && target_->TabElementOrigin(shownPageElement_, shown)) {
      SendMessageA(main, WM_LBUTTONUP, MK_CONTROL, PointParam({shown.x + 102, shown.y + 102}));
    }
    shownPageElement_ = elementId;
  }
  SendMessageA(main, WM_LBUTTONDOWN, MK_LBUTTON, PointParam({origin.x + 2, origin.y + 2}));
}

void TrayMenu::ToggleFloatWindow() {
  ClientConfig& config = *GetClientConfig();
  config.showFloatWindow = config.showFloatWindow ? 0 : 1;
  SetFloatWindowShown(config.showFloatWindow != 0);
  host_.Elements().SetElementText(kTrayFloatWindow, config.showFloatWindow ? "关拖拽框" : "开拖拽框");
  host_.Elements().SetElementText(kTrayLogin, config.loggedIn ? "注  销" : "登  录");
}

void TrayMenu::LogInOrOut() {
  Hide();
  ClientConfig& config = *GetClientConfig();
  const HWND main = target_ ? target_->Window() : nullptr;
  if (config.loggedIn) {
    config.loggedIn = 0;
    ShowLoginLabel(false);
    if (main) target_->ResetPagesAfterLogin();
    return;
  }
  RunLoginDialog(main);
  // An exit chosen while the dialog stood has destroyed this menu's window and ended the
  // notices for good.
  if (ClientShuttingDown()) return;
  ShowLoginLabel(config.loggedIn != 0);  // a refused login leaves the item as it was
  if (TrayFrame* frame = GetTrayFrame(); frame && config.loggedIn) frame->StartPopups();
}

void TrayMenu::ShowSkinMenu() {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SKIN_MENU));
  if (!menu) return;
  HMENU skins = GetSubMenu(menu, 0);
  CheckMenuItem(skins, kTraySkinLayout2, MF_BYCOMMAND | (layout_ == 2 ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(skins, kTraySkinLayout3, MF_BYCOMMAND | (layout_ == 3 ? MF_CHECKED : MF_UNCHECKED));
  RECT window = {};
  GetWindowRect(Handle(), &window);
  const POINT offset = SkinMenuOffset(layout_);
  TrackPopupMenu(skins, 0, window.left + offset.x, window.top + offset.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
}

void TrayMenu::SwitchSkin(int layout) {
  // The menu has done its work: it closes, and the answer comes to the front with the keyboard,
  // so Return closes it.
  const UINT answer = MB_ICONEXCLAMATION | MB_SETFOREGROUND;
  switch (SwitchSkinFiles(*GetClientConfig(), layout_, layout)) {
    case SkinSwitchResult::kSameLayout:
      return;
    case SkinSwitchResult::kSwitched:
      layout_ = layout;
      Hide();
      MessageBoxA(Handle(), kSkinSwitched, kMessageBoxCaption, answer);
      return;
    case SkinSwitchResult::kFailed:
      Hide();
      MessageBoxA(Handle(), kSkinSwitchFailed, kMessageBoxCaption, answer);
      return;
  }
}

}  // namespace mb
