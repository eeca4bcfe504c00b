// CImageLimitView: the uploader's lower right pane: the title bar "设置图像信息" over the
// picture settings dialog. The frame and the list reach the dialog through its messages.
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "uibase/win/zel_head_ctrl.h"
#include "uploader/member/win/image_limit_dlg.h"

class CImageLimitView : public fw::Window {
 public:
  static constexpr UINT kHeadId = 1000;
  static constexpr int kHeadHeight = 22;

  explicit CImageLimitView(HINSTANCE resources = fw::ThisModule());
  // The pane as a child of parent; the main window gets the row settings and commands.
  HWND Create(HWND parent, const RECT& rect, UINT id, HWND mainWindow);

  CImageLimitDlg& Dialog() { return dialog_; }

 private:
  LRESULT OnCreate(const fw::Message& message);
  LRESULT OnSize(const fw::Message& message);
  LRESULT OnShowImageInfo(const fw::Message& message);
  LRESULT OnStoreImageInfo(const fw::Message& message);
  LRESULT OnFolderChanged(const fw::Message& message);
  LRESULT OnHeadClose(const fw::Message& message);
  LRESULT OnHeadState(const fw::Message& message);

  CZELHeadCtrl head_;
  CImageLimitDlg dialog_;
  HWND mainWindow_ = nullptr;
};
