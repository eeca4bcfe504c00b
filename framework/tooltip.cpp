#include "framework/tooltip.h"

#include <commctrl.h>

#include "framework/module.h"

namespace fw {

ToolTip::~ToolTip() { Destroy(); }

bool ToolTip::Create(HWND owner) {
  if (Exists()) return true;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Module::Instance(), nullptr);
  owner_ = owner;
  return tip_ != nullptr;
}

namespace {
TOOLINFOA ToolFor(HWND owner, HWND tool, const char* text) {
  TOOLINFOA info = {};
  // The size every version of the control accepts, with or without a manifest.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<char*>(text);
  return info;
}
}  // namespace

bool ToolTip::AddWindowTool(HWND tool, const char* text) {
  if (!Exists()) return false;
  TOOLINFOA info = ToolFor(owner_, tool, text);
  return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void ToolTip::UpdateText(HWND tool, const char* text) {
  if (!Exists()) return;
  TOOLINFOA info = ToolFor(owner_, tool, text);
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::Activate(bool active) {
  if (Exists()) SendMessageA(tip_, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void ToolTip::RelayEvent(const MSG& msg) {
  if (!Exists()) return;
  MSG copy = msg;
  SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

void ToolTip::Destroy() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
  owner_ = nullptr;
}

}  // namespace fw
