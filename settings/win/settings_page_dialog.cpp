#include "settings/win/settings_page_dialog.h"

#include <algorithm>

#include "settings/win/stored_settings.h"

SettingsPageDialog::SettingsPageDialog(UINT templateId, std::initializer_list<int> groupBoxes)
    : CZELDialog(templateId, fw::ThisModule()), groupBoxes_(groupBoxes), faceBrush_(CreateSolidBrush(kFaceColor)) {
  Handle(WM_INITDIALOG, &SettingsPageDialog::OnInitDialog);
  Handle(WM_APPLY_SETTINGS, &SettingsPageDialog::OnApplySettings);
  Handle(WM_CTLCOLORSTATIC, &SettingsPageDialog::OnControlColour);
  Handle(WM_CTLCOLORBTN, &SettingsPageDialog::OnControlColour);
}

LRESULT SettingsPageDialog::OnInitDialog(const fw::Message&) {
  ShowValues(mb::settings::StoredSettings());
  return TRUE;
}

LRESULT SettingsPageDialog::OnApplySettings(const fw::Message&) {
  const mb::settings::SettingsValues stored = mb::settings::StoredSettings();
  mb::settings::SettingsValues boxes = stored;
  ReadValues(boxes);
  mb::settings::CarryOut(mb::settings::PlanApply(stored, boxes, {Page()}));
  return 0;
}

LRESULT SettingsPageDialog::OnControlColour(const fw::Message& message) {
  const int id = GetDlgCtrlID(reinterpret_cast<HWND>(message.lParam));
  if (std::find(groupBoxes_.begin(), groupBoxes_.end(), id) == groupBoxes_.end()) return OnCtlColor(message);
  SetBkColor(reinterpret_cast<HDC>(message.wParam), kFaceColor);
  return reinterpret_cast<LRESULT>(faceBrush_.Get());
}
