#include "client/ui/settings/win/carousel_time_dialog.h"

#include "client/core/client_config.h"
#include "client/core/win/skin_engine.h"
#include "client/ui/res/settings_resource.h"
#include "client/ui/settings/win/settings_dialog.h"
#include "client/ui/settings/win/settings_operations.h"
#include "client/ui/win/small_window_calls.h"

namespace mb {

CarouselTimeDialog::CarouselTimeDialog() : Dialog(IDD_CAROUSEL_TIME_DIALOG) {
  Handle(WM_INITDIALOG, &CarouselTimeDialog::OnInitDialog);
  Handle(WM_ERASEBKGND, &CarouselTimeDialog::OnEraseBackground);
  Handle(WM_CTLCOLORSTATIC, &CarouselTimeDialog::OnControlColour);
  Command(IDOK, &CarouselTimeDialog::OnOK);
  Command(3, &CarouselTimeDialog::OnApply);
  Command(IDCANCEL, &CarouselTimeDialog::OnCancel);
}

LRESULT CarouselTimeDialog::OnInitDialog(const fw::Message&) {
  const ClientConfig& config = *GetClientConfig();
  skinned_ = static_cast<bool>(SkinSchemeRef());
  minutes_.Attach(Item(IDC_SETTINGS_MINUTES));
  seconds_.Attach(Item(IDC_SETTINGS_SECONDS));
  LoadCarouselBoxes(Handle(), config);
  CheckDlgButton(Handle(), IDC_SETTINGS_HIDE_ICONS, config.hideIcon ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

bool CarouselTimeDialog::StoreAndApply() {
  CarouselTimes times;
  if (!ValidateCarouselTime(Handle(), false, &times)) return false;
  ClientConfig& config = *GetClientConfig();
  config.minutes = times.minutes;
  config.seconds = times.seconds;
  config.hideIcon = IsDlgButtonChecked(Handle(), IDC_SETTINGS_HIDE_ICONS) == BST_CHECKED;
  RestartCarouselWithConfig();
  SetDesktopIconsVisible(!config.hideIcon);
  ShowSettingsMessage(Handle(), config.SaveClientConfig() ? "保存设置成功" : "保存设置失败");
  return true;
}

void CarouselTimeDialog::OnOK() {
  if (StoreAndApply()) EndDialog(IDOK);
}

void CarouselTimeDialog::OnApply() { StoreAndApply(); }

void CarouselTimeDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CarouselTimeDialog::OnEraseBackground(const fw::Message& m) {
  // The skin's dialog background; the system's without one.
  SkinSchemeRef scheme;
  skinned_ = static_cast<bool>(scheme);
  if (!scheme) return CallDefault(m);
  scheme->DrawImage(reinterpret_cast<HDC>(m.wParam), "dlg_bk", 0, 0, 0, 0, SRCCOPY);
  return 1;
}

LRESULT CarouselTimeDialog::OnControlColour(const fw::Message& m) {
  if (!skinned_) return CallDefault(m);
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  // White on the first layout's dark background, dark grey on the light ones of the others.
  SetTextColor(dc, GetClientConfig()->skinLayout == 1 ? RGB(255, 255, 255) : RGB(47, 47, 47));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

bool ShowCarouselTimeDialog(HWND owner) {
  CarouselTimeDialog dialog;
  if (dialog.DoModal(owner ? owner : GetActiveWindow()) != IDOK) return false;
  ReloadSettingsCarouselBoxes();
  return true;
}

}  // namespace mb
