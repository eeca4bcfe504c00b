#include "uploader/member/win/dialog_text.h"

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "uploader/member/win/member_resources.h"

namespace mb::uploader {

std::string ControlText(HWND control) {
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::string TrimmedControlText(HWND control) { return std::string(TrimBlanks(ControlText(control))); }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string ComboItemText(HWND combo, int index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::string ComboSelectedText(HWND combo) {
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : ComboItemText(combo, static_cast<int>(selected));
}

int ComboCount(HWND combo) {
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : static_cast<int>(count);
}

namespace {

int FindExact(HWND combo, const std::string& text) {
  // CB_FINDSTRINGEXACT ignores letter case; names here are told apart by it.
  const int count = ComboCount(combo);
  for (int i = 0; i < count; ++i) {
    if (ComboItemText(combo, i) == text) return i;
  }
  return -1;
}

}  // namespace

int AddComboTextOnce(HWND combo, const std::string& text) {
  const int found = FindExact(combo, text);
  if (found >= 0) return found;
  return static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

bool SelectComboText(HWND combo, const std::string& text) {
  const int found = FindExact(combo, text);
  if (found < 0) return false;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  return true;
}

void RunPaneMenu(HWND owner, HINSTANCE resources, POINT at, HWND mainWindow) {
  HMENU menu = LoadMenuA(resources, MAKEINTRESOURCEA(IDR_IMAGE_LIMIT_MENU));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  CConfig* config = CConfig::GetConfig();
  CheckMenuItem(popup, ID_PANE_UPLOAD_INFO, config->GetSettingsPaneShown() ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(popup, ID_PANE_IMAGE_INFO, config->GetInfoPaneShown() ? MF_CHECKED : MF_UNCHECKED);
  const UINT command =
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr);
  DestroyMenu(menu);
  if (command) SendMessageA(mainWindow, WM_COMMAND, command, 0);
}

}  // namespace mb::uploader
