// CConfigDlg: the batch uploader's settings dialog. A tree on the left lists three pages; the
// chosen one shows in the frame on the right under a header band that says what it is for. OK
// makes every page shown during this run write its boxes into CConfig and save; Cancel writes
// nothing.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/image_list.h"
#include "framework/tree_ctrl.h"
#include "settings/core/settings_apply.h"
#include "settings/win/set_api.h"
#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CZELDialogHeader;
class SettingsPageDialog;

class MB_SET_API CConfigDlg : public CZELDialog {
 public:
  explicit CConfigDlg(HWND parent = nullptr);
  ~CConfigDlg() override;

  // 1: open at the picture-browsing page; anything else: the general page.
  void SetDefaultSet(int page) { defaultSet_ = page; }
  // Modal over the parent given at construction; IDOK or IDCANCEL.
  INT_PTR DoModal();

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  LRESULT OnSelectionChanged(NMHDR* header);
  void OnOK();
  void BuildTree();
  void ShowPage(int index);

  static constexpr int kPageCount = 3;

  HWND parent_;
  int defaultSet_ = 0;
  std::unique_ptr<CZELDialogHeader> header_;
  std::unique_ptr<SettingsPageDialog> pages_[kPageCount];
  HTREEITEM items_[kPageCount] = {};
  int shownNow_ = -1;  // the page in the frame, none at the start
  mb::settings::ShownPages shownThisRun_;
  fw::TreeCtrl tree_;
  fw::ImageList treeImages_;
  CXPButton okButton_;
  CXPButton cancelButton_;
};
