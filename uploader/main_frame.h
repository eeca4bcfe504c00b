// CMainFrame: the uploader's one top-level window. Four panes in two nested splitters, the menu,
// the toolbar with its search box, the status bar with its progress bar; the upload engine's
// message window; the close rule.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "editor/win/pane_splitter_wnd.h"
#include "framework/command_state.h"
#include "framework/frame_window.h"
#include "framework/splitter_window.h"
#include "framework/status_bar.h"
#include "framework/tool_bar.h"
#include "uploader/status/text_progress_ctrl.h"
#include "uploader/status/zel_status_bar.h"

class CXPButton;
class PaneSet;

class CMainFrame : public fw::FrameWindow {
 public:
  CMainFrame();
  ~CMainFrame() override;

  // Status bar: pane 0 = text, pane 1 empty, with the ordinary pane widths.
  void SetStatusText(const char* text);
  void SetPaneText(int pane, const char* text);
  void SetProgressRange(unsigned short n);
  void SetProgressPos(int pos);
  int ProgressPos() const;
  void ShowProgress(bool show);
  // The mediator's current folder changed: the visible side panes hear of it.
  void OnFolderOpened();
  // Shows every hidden cell and both side panes, hides the picture view's side strip.
  void ResetPanes();

  fw::SplitterWindow& InnerSplitter() { return inner_; }
  fw::SplitterWindow& OuterSplitter() { return outer_; }
  fw::StatusBar& StatusBar() { return status_; }

 private:
  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnClose(const fw::Message& m);
  LRESULT OnCtlColorEdit(const fw::Message& m);
  LRESULT OnSysCommand(const fw::Message& m);
  LRESULT OnUploadStatus(const fw::Message& m);
  LRESULT OnUploadBlockSent(const fw::Message& m);
  LRESULT OnUploadQueueEmpty(const fw::Message& m);
  LRESULT OnUploadConnectFailed(const fw::Message& m);
  LRESULT OnShowImageInfo(const fw::Message& m);
  LRESULT OnStoreImageInfo(const fw::Message& m);
  LRESULT OnRefreshColumns(const fw::Message& m);
  LRESULT OnRefreshFolder(const fw::Message& m);
  LRESULT OnHeadClose(const fw::Message& m);
  LRESULT OnOpenPicturePath(const fw::Message& m);
  LRESULT OnCloseUploader(const fw::Message& m);
  LRESULT OnFullScreenEdit(const fw::Message& m);
  LRESULT OnEditingMenu(const fw::Message& m);
  LRESULT OnGetMinMaxInfo(const fw::Message& m);
  LRESULT OnToggleFrame(const fw::Message& m);
  LRESULT ForwardToImageView(const fw::Message& m);
  LRESULT OnQuiet(const fw::Message& m);
  LRESULT OnFolderChosen(const fw::Message& m);
  LRESULT OnViewDropDown(NMHDR* header);
  bool PreTranslateMessage(MSG& msg) override;
  // The frame is shown maximised: it is made at the size of the work area.
  bool InitialRect(RECT& rect) const override;

  void OnSettings();
  void OnViewDetail();
  void OnViewThumb();
  void OnViewToggle();
  void OnToolUpload();
  void OnExit();
  void OnImport();
  void OnSearch();
  void OnLogin();
  void OnToggleFloatWindow();
  void OnToggleInfoPane();
  void OnToggleSettingsPane();
  void OnToggleToolBar();
  void OnAbout();

  void MapCommands();
  void DefineCommandStates();
  bool CreateToolBar();
  void CreateSearchBox();
  void PlaceSearchBox();
  void PlaceProgress();
  void UpdateLoginMenu();
  void LayOutStatusPanes(bool forStatusText);
  void ApplyListView(int report);
  // Shows or hides a pane of the outer splitter (row 0 information, 1 picture settings).
  void SetPaneShown(int row, bool shown);
  void ShowFolderPane();
  void AfterPaneChange();
  void SendToOuterPane(int row, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT SendToImageView(UINT message, WPARAM wParam, LPARAM lParam);
  // The exit question, when the settings ask for it; true to end the program.
  bool ExitConfirmed();

  CZELStatusBar status_;
  CTextProgressCtrl progress_;
  fw::ToolBar toolBar_;
  mb::editor::PaneSplitterWnd inner_;
  mb::editor::PaneSplitterWnd outer_;
  HWND searchEdit_ = nullptr;
  std::unique_ptr<CXPButton> searchButton_;
  HWND categoryCombo_ = nullptr;
  HFONT searchFont_ = nullptr;
  HBRUSH editBrush_ = nullptr;
  std::unique_ptr<PaneSet> panes_;
  bool fullScreen_ = false;
  WINDOWPLACEMENT savedPlacement_ = {sizeof(WINDOWPLACEMENT)};
  RECT fullScreenRect_ = {0, 0, 0, 0};  // the frame's window rectangle while full screen
};
