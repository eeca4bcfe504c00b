#include "client/core/win/tray_icon.h"

#include "common/gbk_text.h"

namespace mb {

void TrayIcon::Bind(HWND window, UINT callbackMessage, UINT id) {
  data_ = {};
  data_.cbSize = NOTIFYICONDATAA_V2_SIZE;  // the 488-byte form
  data_.hWnd = window;
  data_.uID = id;
  data_.uCallbackMessage = callbackMessage;
}

bool TrayIcon::Add(const std::string& tip, HICON icon) {
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.hIcon = icon;
  CopyToField(data_.szTip, sizeof data_.szTip, tip);
  added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
  removed_ = false;
  return added_;
}

bool TrayIcon::SetIcon(HICON icon) {
  data_.uFlags = NIF_ICON;
  data_.hIcon = icon;
  added_ = Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
  return added_;
}

void TrayIcon::Remove() {
  removed_ = true;
  if (!added_) return;
  added_ = false;
  data_.uFlags = 0;
  Shell_NotifyIconA(NIM_DELETE, &data_);
}

}  // namespace mb
