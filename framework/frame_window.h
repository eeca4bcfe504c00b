// FrameWindow: a program's top-level window with a menu, an optional toolbar along its top, an
// optional status bar along its bottom and one client pane filling the rest. Menu items are
// enabled and checked by its CommandState as their menu opens, toolbar buttons when the thread's
// message queue runs empty (the application calls OnIdle).
#pragma once

#include <windows.h>

#include "framework/command_state.h"
#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class StatusBar;
class ToolBar;

class FW_API FrameWindow : public Window {
 public:
  FrameWindow();

  // Creates the window with the menu and icon of resourceId and the first line of its string
  // resource as title. False when the window cannot be created.
  bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
  void SetTitle(const char* title) { SetWindowTextA(Handle(), title); }

  void SetToolBar(ToolBar* toolBar, int height) {
    toolBar_ = toolBar;
    toolBarHeight_ = height;
  }
  void SetToolBarHeight(int height) { toolBarHeight_ = height; }
  void SetStatusBar(StatusBar* statusBar) { statusBar_ = statusBar; }
  void SetClientPane(HWND pane) { clientPane_ = pane; }
  // Places the bars and the client pane in the client area.
  void RecalcLayout();

  CommandState& Commands() { return commands_; }
  void OnIdle();

 protected:
  // Where the window is made; false for the system's default place and size.
  virtual bool InitialRect(RECT& rect) const { return false; }
  LRESULT OnFrameSize(const Message& m);
  LRESULT OnInitMenuPopup(const Message& m);
  LRESULT OnFrameDestroy(const Message& m);
  WindowClassSpec ClassSpec() const override;

 private:
  CommandState commands_;
  ToolBar* toolBar_ = nullptr;
  int toolBarHeight_ = 0;
  StatusBar* statusBar_ = nullptr;
  HWND clientPane_ = nullptr;
  UINT resourceId_ = 0;
};

}  // namespace fw
