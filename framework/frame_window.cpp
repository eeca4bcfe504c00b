#include "framework/frame_window.h"

#include <string>

#include "framework/application.h"
#include "framework/module.h"
#include "framework/status_bar.h"
#include "framework/tool_bar.h"

namespace fw {

FrameWindow::FrameWindow() {
  Handle(WM_SIZE, &FrameWindow::OnFrameSize);
  Handle(WM_INITMENUPOPUP, &FrameWindow::OnInitMenuPopup);
  Handle(WM_DESTROY, &FrameWindow::OnFrameDestroy);
}

WindowClassSpec FrameWindow::ClassSpec() const {
  WindowClassSpec spec;
  spec.name = "fw.Frame";
  spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  spec.icon = LoadIconA(Module::ResourceInstance(), MAKEINTRESOURCEA(resourceId_));
  return spec;
}

bool FrameWindow::LoadFrame(UINT resourceId, DWORD style) {
  resourceId_ = resourceId;
  HMENU menu = LoadMenuA(Module::ResourceInstance(), MAKEINTRESOURCEA(resourceId));
  const std::string strings = LoadResourceString(resourceId);
  const std::string title = strings.substr(0, strings.find('\n'));
  RECT rect;
  const bool placed = InitialRect(rect);
  if (!Create(nullptr, title.c_str(), style, 0, placed ? &rect : nullptr, menu)) {
    if (menu) DestroyMenu(menu);
    return false;
  }
  return true;
}

void FrameWindow::RecalcLayout() {
  RECT client;
  GetClientRect(Handle(), &client);
  int top = 0;
  if (toolBar_ && toolBar_->IsVisible()) {
    MoveWindow(toolBar_->Handle(), 0, 0, client.right, toolBarHeight_, TRUE);
    top = toolBarHeight_;
  }
  int bottom = client.bottom;
  if (statusBar_ && statusBar_->IsVisible()) {
    SendMessageA(statusBar_->Handle(), WM_SIZE, 0, 0);
    bottom -= statusBar_->Height();
  }
  if (clientPane_) MoveWindow(clientPane_, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void FrameWindow::OnIdle() {
  if (toolBar_ && toolBar_->IsVisible()) commands_.Apply(*toolBar_);
}

LRESULT FrameWindow::OnFrameSize(const Message&) {
  RecalcLayout();
  return 0;
}

LRESULT FrameWindow::OnInitMenuPopup(const Message& m) {
  commands_.Apply(reinterpret_cast<HMENU>(m.wParam));
  return 0;
}

LRESULT FrameWindow::OnFrameDestroy(const Message&) {
  if (Module::MainWindow() == Handle()) {
    Module::SetMainWindow(nullptr);
    PostQuitMessage(0);
  }
  return 0;
}

}  // namespace fw
