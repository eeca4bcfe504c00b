// StatusBar: the status window at a frame's bottom, with panes of given widths and styles.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/framework_api.h"

namespace fw {

// Pane styles (the text a pane shows is drawn in that style).
constexpr UINT kPaneNormal = 0;
constexpr UINT kPaneNoBorders = SBT_NOBORDERS;
constexpr UINT kPanePopOut = SBT_POPOUT;
constexpr UINT kPaneNoText = 0x8000;  // the pane keeps no text; a child usually covers it

class FW_API StatusBar {
 public:
  bool Create(HWND parent, UINT id, int panes);
  HWND Handle() const { return hwnd_; }
  int PaneCount() const { return static_cast<int>(styles_.size()); }

  // Widths in pixels; a width of -1 takes the rest of the bar.
  void SetPanes(const std::vector<int>& widths, const std::vector<UINT>& styles);
  void SetPaneText(int pane, const char* text);
  // The text last given to a pane, kept whatever the pane's style (a no-text pane shows none).
  const std::string& StoredText(int pane) const;
  RECT PaneRect(int pane) const;
  int Height() const;
  void Show(bool show) const { ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

 private:
  HWND hwnd_ = nullptr;
  std::vector<UINT> styles_;
  std::vector<std::string> texts_;
};

}  // namespace fw
