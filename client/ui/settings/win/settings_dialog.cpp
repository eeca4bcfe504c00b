#include "client/ui/settings/win/settings_dialog.h"

#include <windowsx.h>

#include <cstdio>
#include <string>

#include "client/core/client_config.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/ui/popup/popup_settings.h"
#include "client/ui/res/resource.h"
#include "client/ui/settings/settings_layout.h"
#include "client/ui/settings/win/settings_operations.h"
#include "version.h"

namespace mb {

namespace {

using namespace settings;

SettingsDialog* livePage = nullptr;

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Check(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

// The program file's date, "YYYY-MM-DD"; empty when it cannot be read.
std::string ProgramDate() {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  SYSTEMTIME utc = {}, local = {};
  if (!GetFileAttributesExA(GetModuleFilePath().c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToSystemTime(&data.ftLastWriteTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return {};
  }
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", local.wYear, local.wMonth, local.wDay);
  return text;
}

}  // namespace

SettingsDialog::SettingsDialog() : Dialog(IDD_SETTINGS_PAGE), layout_(GetClientConfig()->skinLayout), skin_(layout_) {
  Handle(WM_INITDIALOG, &SettingsDialog::OnInitDialog);
  Handle(WM_ERASEBKGND, &SettingsDialog::OnEraseBackground);
  Handle(WM_CTLCOLORSTATIC, &SettingsDialog::OnControlColour);
  Handle(WM_CTLCOLORBTN, &SettingsDialog::OnControlColour);
  Handle(WM_MOUSEMOVE, &SettingsDialog::OnMouse);
  Handle(WM_LBUTTONDOWN, &SettingsDialog::OnMouse);
  Handle(WM_LBUTTONUP, &SettingsDialog::OnMouse);
  Handle(WM_COMMAND, &SettingsDialog::OnCommandMessage);
  livePage = this;
}

SettingsDialog::~SettingsDialog() {
  if (livePage == this) livePage = nullptr;
  if (IsWindow()) Destroy();
}

LRESULT SettingsDialog::OnInitDialog(const fw::Message&) {
  RemoveSkinFromDialog(Handle());
  skin_.Attach(Handle());
  skin_.AddLayoutElements(skin::SkinWindow::kSettingsDialog);
  minutes_.Attach(Item(kMinutesBox));
  seconds_.Attach(Item(kSecondsBox));
  ShowTab(kWallpaperTab);
  LoadControls();
  PlaceControls();
  FillAboutTexts();
  ShowWindow(Handle(), SW_SHOW);
  return TRUE;
}

void SettingsDialog::PlaceControls() {
  for (const ControlPlace& place : SettingsControlPlaces(layout_)) {
    MoveWindow(Item(place.id), place.x, place.y, place.width, place.height, TRUE);
  }
  if (layout_ != 2 && layout_ != 3) return;
  for (int id : SettingsTabControls(kSystemTab)) ShowWindow(Item(id), SW_SHOW);
  SetItemText(kCloseNoticesBox, "自动关闭消息框");
  if (layout_ == 3) {
    for (int id : {kOk, kCancel, kApply}) ShowWindow(Item(id), SW_HIDE);
  }
}

void SettingsDialog::FillAboutTexts() {
  SetItemText(kVersionText, "版本：" MB_VERSION_TEXT);
  const std::string date = ProgramDate();
  if (!date.empty()) SetItemText(kDateText, ("日期：" + date).c_str());
}

void SettingsDialog::ShowTab(int tab) {
  for (int group : {kWallpaperTab, kSystemTab, kAboutTab}) {
    for (int id : SettingsTabControls(group)) ShowWindow(Item(id), group == tab ? SW_SHOW : SW_HIDE);
  }
  MarkSettingsTab(skin_.Elements(), tab);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void SettingsDialog::LoadControls() {
  ClientConfig& config = *GetClientConfig();
  LoadCarouselBoxes(Handle(), config);
  if (!config.startWithWindows && AutoStartShortcutExists()) config.startWithWindows = 1;
  Check(Handle(), kHideIconsBox, config.hideIcon != 0);
  Check(Handle(), kAutoLoginBox, config.autoLogin != 0);
  Check(Handle(), kStartWithWindowsBox, config.startWithWindows != 0);
  Check(Handle(), kCloseNoticesBox, config.enableTip == 0);
}

void SettingsDialog::ReloadCarouselBoxes() {
  if (IsWindow()) LoadCarouselBoxes(Handle(), *GetClientConfig());
}

bool SettingsDialog::Apply(const CarouselTimes& times) {
  ClientConfig& config = *GetClientConfig();
  const HWND dialog = Handle();
  config.minutes = times.minutes;
  config.seconds = times.seconds;
  config.hideIcon = Checked(dialog, kHideIconsBox);
  config.autoLogin = Checked(dialog, kAutoLoginBox);
  config.startWithWindows = Checked(dialog, kStartWithWindowsBox);
  config.enableTip = !Checked(dialog, kCloseNoticesBox);
  RestartCarouselWithConfig();
  SetDesktopIconsVisible(!config.hideIcon);
  SetPopupEnabled(config.enableTip != 0);
  // The switch keeps what the Startup folders hold after the change, not what was asked.
  config.startWithWindows = SetAutoStartShortcut(config.startWithWindows != 0);
  Check(dialog, kStartWithWindowsBox, config.startWithWindows != 0);
  return config.SaveClientConfig();
}

void SettingsDialog::Save() {
  CarouselTimes times;
  if (!ValidateCarouselTime(Handle(), true, &times)) return;
  ShowSettingsMessage(Handle(), Apply(times) ? "保存设置成功" : "保存设置失败");
}

LRESULT SettingsDialog::OnCommandMessage(const fw::Message& m) {
  const int id = LOWORD(m.wParam);
  if (HIWORD(m.wParam) != BN_CLICKED) return CallDefault(m);
  switch (id) {
    case kOk:
    case kApply:
    case kSkinOk:
    case kSkinApply:
      Save();
      return 0;
    case kCancel:
    case kSkinCancel:
      LoadControls();
      return 0;
    default:
      if (IsSettingsTab(id)) ShowTab(id);
      return 0;
  }
}

LRESULT SettingsDialog::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SkinSchemeRef scheme;
  if (scheme) {
    scheme->DrawImage(dc, layout_ == 3 ? "confdlg_bk" : "dlg_bk", 0, 0, 0, 0, SRCCOPY);
    scheme->DrawImage(dc, "conf_bk", 0, layout_ == 3 ? 0 : 16, 0, 0, SRCCOPY);
  } else {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }
  skin_.Draw(dc);
  return 1;
}

LRESULT SettingsDialog::OnControlColour(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, layout_ == 1 ? RGB(255, 255, 255) : RGB(47, 47, 47));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT SettingsDialog::OnMouse(const fw::Message& m) {
  if (m.id == WM_LBUTTONUP && layout_ == 3 && SkinThreeButtonAt(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam))) {
    // The button pictures took their click at button-down; the release over a picture would
    // reach the neighbouring element whose rectangle lies under it ("取消" would also apply).
    return 0;
  }
  if (m.id == WM_LBUTTONDOWN && layout_ == 3) {
    const int command = SkinThreeButtonAt(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (command == kOk || command == kApply) {
      Save();
      return 0;
    }
    if (command == kCancel) {
      LoadControls();
      return 0;
    }
  }
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

void ReloadSettingsCarouselBoxes() {
  if (livePage) livePage->ReloadCarouselBoxes();
}

}  // namespace mb
