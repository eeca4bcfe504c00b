// CImageLimitDlg: the picture settings the member gives the highlighted picture (title, remark,
// tag, upload kind, category path, public or private, album), shown from a row and written back
// into it when another row is chosen or the upload starts.
#pragma once

#include <windows.h>

#include <string>

#include "framework/tooltip.h"
#include "thumblist/core/image_info_record.h"
#include "uibase/win/skin_button.h"
#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CImageLimitDlg : public CZELDialog {
 public:
  explicit CImageLimitDlg(HINSTANCE resources = fw::ThisModule());

  // The main window that gets the row settings and the menu commands (the top-level window
  // when none is set).
  void SetMainWindow(HWND main) { mainWindow_ = main; }

  // Fills the category lists from the top level down (or the actives or themes list).
  void FillCategories();
  // Builds the record from the controls and sends it to the main window for row; nothing while
  // the pane shows no row.
  void StoreRowSettings(int row);
  // Shows a row's settings; the settings of the row shown before go back to it first when the
  // member changed them. kStoreOnlyRow only does the latter.
  void ShowRowSettings(int row, const stImageInfo& info);
  // Another folder: nothing is shown.
  void ResetForFolder();
  void ShowCornerButton(bool show);

  int ShownRow() const { return row_; }
  int Kind() const { return kind_; }
  bool Compact() const { return compact_; }

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  LRESULT OnSize(const fw::Message& message);
  LRESULT OnContextMenu(const fw::Message& message);
  bool PreTranslateMessage(MSG& msg) override;
  void OnUpload();
  void OnWallpaper() { ChooseKind(0); }
  void OnOriginal() { ChooseKind(1); }
  void OnActive() { ChooseKind(2); }
  void OnTheme() { ChooseKind(3); }
  void OnLevel1Changed();
  void OnLevel2Changed();
  void OnSelectionEdited() { MarkEdited(); }
  void OnAddAlbum();

  void ChooseKind(int kind);
  void ApplyKind(int kind);
  void ApplyLayout();
  // Refills the combo below `level` (1043 -> 1045 -> 1046) from the choice in `level`.
  void FillBelow(int level);
  bool LoadAlbums();
  void FillAlbumCombo();
  void MarkEdited();
  HWND MainWindow() const;

  CXPButton uploadButton_;
  CxSkinButton cornerButton_;
  fw::ToolTip tooltip_;
  HINSTANCE resources_;
  HWND mainWindow_ = nullptr;
  std::string path_;
  int row_ = -1;
  int kind_ = 0;
  bool compact_ = false;
  bool albumsLoaded_ = false;
};
