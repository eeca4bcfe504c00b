// CImageInfoDlg: the information pane's body: four one-line labels (file name, folder, file size,
// picture size) for the row last shown, the same facts in a hidden two-column list, a hidden corner
// button that asks for the settings pane, and the side panes' menu on a right click.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "framework/list_view.h"
#include "framework/tooltip.h"
#include "uibase/win/skin_button.h"
#include "uibase/win/zel_dialog.h"
#include "uploader/status/file_info_tip_dlg.h"
#include "uploader/status/image_facts.h"

class CImageInfoDlg : public CZELDialog {
 public:
  // What the corner button sends to the pane that holds the dialog.
  static constexpr UINT kCornerMessage = 1322;

  CImageInfoDlg();
  ~CImageInfoDlg() override;

  // The main window that gets the menu's commands (the top-level window when none is set).
  void SetMainWindow(HWND main) { mainWindow_ = main; }
  void ShowImageInfo(int row, const hoistly::ImageFacts& facts);
  void ShowCornerButton(bool show);

  int ShownRow() const { return row_; }
  const CFileInfoTipDlg& Label(int i) const { return labels_[i]; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnRButtonDown(const fw::Message& m);
  HWND MainWindow() const;

  std::array<CFileInfoTipDlg, 4> labels_;
  fw::ListView list_;
  CxSkinButton cornerButton_;
  fw::ToolTip tooltip_;
  HWND mainWindow_ = nullptr;
  int row_ = -1;
};
