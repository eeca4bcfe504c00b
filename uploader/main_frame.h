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
#include "uploader/view_mediator.h"

class CXPButton;
struct stImageInfo;
class PaneSet;

class CMainFrame : public fw::FrameWindow, public FrameLink {
 public:
  CMainFrame();
  ~CMainFrame() override;

  HWND FrameHandle() const override { return Handle(); }
  void SetStatusText(const char* text) override;
  void SetPaneText(int pane, const char* text) override;
  void SetProgressRange(unsigned short n) override;
  void SetProgressPos(int pos) override;
  int ProgressPos() const override;
  void ShowProgress(bool show) override;
  void OnFolderOpened() override;
  void ResetPanes() override;

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
  // The picture's facts in the status bar's own pane layout (nothing when its file is gone).
  void ShowFactsInStatusBar(const stImageInfo* info);
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
  // The toolbar's 16x16 images, normal and hot, beside the 32x32 ones the toolbar draws with.
  fw::ImageList smallImages_;
  fw::ImageList smallHotImages_;
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
