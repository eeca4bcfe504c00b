#include "framework/status_bar.h"

#include <string>

#include "framework/module.h"

namespace fw {

bool StatusBar::Create(HWND parent, UINT id, int panes) {
  hwnd_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Module::Instance(), nullptr);
  styles_.assign(panes, kPaneNormal);
  texts_.assign(panes, std::string());
  return hwnd_ != nullptr;
}

void StatusBar::SetPanes(const std::vector<int>& widths, const std::vector<UINT>& styles) {
  std::vector<int> edges;
  int right = 0;
  for (int width : widths) {
    right = width < 0 ? -1 : right + width;
    edges.push_back(right);
  }
  SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  const std::vector<UINT> old = styles_;
  styles_ = styles;
  styles_.resize(edges.size(), kPaneNormal);
  texts_.resize(edges.size());
  // A changed style takes effect when the text is set again.
  for (size_t i = 0; i < styles_.size(); ++i) {
    if (i < old.size() && old[i] == styles_[i]) continue;
    const std::string text = texts_[i];
    SetPaneText(static_cast<int>(i), text.c_str());
  }
}

void StatusBar::SetPaneText(int pane, const char* text) {
  if (pane < 0 || pane >= PaneCount()) return;
  texts_[pane] = text ? text : "";
  const UINT style = styles_[pane];
  const char* shown = (style & kPaneNoText) ? "" : (text ? text : "");
  SendMessageA(hwnd_, SB_SETTEXTA, pane | (style & ~kPaneNoText), reinterpret_cast<LPARAM>(shown));
}

const std::string& StatusBar::StoredText(int pane) const {
  static const std::string none;
  return pane >= 0 && pane < static_cast<int>(texts_.size()) ? texts_[pane] : none;
}

RECT StatusBar::PaneRect(int pane) const {
  RECT rect = {};
  SendMessageA(hwnd_, SB_GETRECT, pane, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int StatusBar::Height() const {
  if (!IsVisible()) return 0;
  RECT rect;
  GetWindowRect(hwnd_, &rect);
  return rect.bottom - rect.top;
}

}  // namespace fw
