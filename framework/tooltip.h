// ToolTip: a tooltip control owned by one window. Tools are whole windows; the control watches
// their mouse messages itself (subclassing), and RelayEvent passes messages on from a
// pre-translate handler for windows that want that instead.
#pragma once

#include <windows.h>

#include "framework/framework_api.h"

namespace fw {

class FW_API ToolTip {
 public:
  ToolTip() = default;
  ~ToolTip();
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // Creates the control for owner; false when it could not be made.
  bool Create(HWND owner);
  HWND Handle() const { return tip_; }
  bool Exists() const { return tip_ && IsWindow(tip_); }

  // Adds tool as a tool with its text; false on failure.
  bool AddWindowTool(HWND tool, const char* text);
  // Replaces the text of a tool added before.
  void UpdateText(HWND tool, const char* text);
  void Activate(bool active);
  void RelayEvent(const MSG& msg);
  void Destroy();

 private:
  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace fw
