#include "framework/tool_bar.h"

#include <utility>

#include "framework/module.h"

namespace fw {

bool ToolBar::Create(HWND parent, UINT id) {
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                      CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN;
  hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Module::Instance(), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  return true;
}

void ToolBar::SetImageLists(ImageList normal, ImageList hot) {
  normal_ = std::move(normal);
  hot_ = std::move(hot);
  SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal_.Handle()));
  SendMessageA(hwnd_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot_.Handle()));
}

void ToolBar::SetSizes(SIZE button, SIZE image) {
  SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
  SendMessageA(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
}

void ToolBar::AddButton(UINT id, int image, const char* text, BYTE style) {
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = static_cast<int>(id);
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = style;
  button.iString = text ? reinterpret_cast<INT_PTR>(text) : -1;
  SendMessageA(hwnd_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
}

void ToolBar::SetDropDown(UINT id) {
  TBBUTTONINFOA info = {sizeof info, TBIF_STYLE};
  SendMessageA(hwnd_, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
  info.fsStyle |= BTNS_DROPDOWN;
  SendMessageA(hwnd_, TB_SETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
}

void ToolBar::SetButtonText(UINT id, const char* text) {
  TBBUTTONINFOA info = {sizeof info, TBIF_TEXT};
  info.pszText = const_cast<char*>(text);
  SendMessageA(hwnd_, TB_SETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
}

void ToolBar::HideButton(UINT id, bool hide) {
  SendMessageA(hwnd_, TB_HIDEBUTTON, id, MAKELPARAM(hide ? TRUE : FALSE, 0));
  SendMessageA(hwnd_, TB_INDETERMINATE, id, MAKELPARAM(hide ? TRUE : FALSE, 0));
}

void ToolBar::EnableButton(UINT id, bool enable) const {
  const bool now = SendMessageA(hwnd_, TB_ISBUTTONENABLED, id, 0) != 0;
  if (now != enable) SendMessageA(hwnd_, TB_ENABLEBUTTON, id, MAKELPARAM(enable ? TRUE : FALSE, 0));
}

void ToolBar::CheckButton(UINT id, bool check) const {
  const bool now = SendMessageA(hwnd_, TB_ISBUTTONCHECKED, id, 0) != 0;
  if (now != check) SendMessageA(hwnd_, TB_CHECKBUTTON, id, MAKELPARAM(check ? TRUE : FALSE, 0));
}

RECT ToolBar::ButtonRect(UINT id) const {
  RECT rect = {};
  SendMessageA(hwnd_, TB_GETRECT, id, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int ToolBar::ButtonCount() const { return static_cast<int>(SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0)); }

UINT ToolBar::ButtonId(int index) const {
  TBBUTTON button = {};
  SendMessageA(hwnd_, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return static_cast<UINT>(button.idCommand);
}

}  // namespace fw
