// CInfoView: the uploader's upper right pane: the title bar "图像基本信息" over the picture
// information dialog, which shows the facts of the row the list reports.
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "uibase/win/zel_head_ctrl.h"
#include "uploader/status/image_info_dlg.h"

class CInfoView : public fw::Window {
 public:
  static constexpr UINT kHeadId = 1000;
  static constexpr int kHeadHeight = 22;
  // Moves the pane to the left edge at width 200.
  static constexpr UINT kMoveHomeMessage = WM_USER + 19;

  CInfoView();
  ~CInfoView() override;
  // The pane as a child of parent; the main window gets the close and menu requests.
  HWND Create(HWND parent, const RECT& rect, UINT id, HWND mainWindow);

  CImageInfoDlg& Dialog() { return dialog_; }

 private:
  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnShowImageInfo(const fw::Message& m);
  LRESULT OnHeadClose(const fw::Message& m);
  LRESULT OnHeadState(const fw::Message& m);
  // Another folder: the facts of the last folder's picture are gone.
  LRESULT OnFolderChanged(const fw::Message& m);
  LRESULT OnMoveHome(const fw::Message& m);

  CZELHeadCtrl head_;
  CImageInfoDlg dialog_;
  HWND mainWindow_ = nullptr;
};
