// The client's icon in the notification area: added once by the tray frame, changed while a
// login blinks it, removed at exit.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace mb {

class TrayIcon {
 public:
  // window receives callbackMessage with wParam = id.
  void Bind(HWND window, UINT callbackMessage, UINT id);

  // NIM_ADD with message, icon and tip (at most 127 bytes, cut at a character boundary).
  bool Add(const std::string& tip, HICON icon);
  // NIM_MODIFY of the icon alone.
  bool SetIcon(HICON icon);
  // NIM_DELETE when the icon was added; marks it removed in any case.
  void Remove();

  bool added() const { return added_; }
  bool removed() const { return removed_; }

 private:
  NOTIFYICONDATAA data_ = {};
  bool added_ = false;
  bool removed_ = false;
};

}  // namespace mb
