// WallpaperManagerPage: the main window's first page. The tree of category folders under the
// download folder, the selected category's pictures a page at a time, the "已选壁纸" strip and
// the carousel's on/off, interval and apply.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "client/ui/download/win/category_tree.h"
#include "client/ui/download/win/manager_page_link.h"
#include "client/ui/manager/win/manager_shell.h"
#include "client/ui/manager/win/thumbnail_panel.h"
#include "client/ui/manager/win/thumbnail_preview_list.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/dialog.h"

namespace mb {


constexpr int kCategoryTreeId = 1101;
constexpr UINT kDeleteCategoryCommand = 32811;
constexpr UINT kOpenCategoryFolderCommand = 32813;

class WallpaperManagerPage : public fw::Dialog, public ManagerPageLink {
 public:
  explicit WallpaperManagerPage(std::unique_ptr<ManagerPageShell> shell = nullptr);
  ~WallpaperManagerPage() override;

  void InsertCategoryItem(const std::string& category) override;
  void SelectCategoryInTree(const std::string& category) override;
  void OnPictureDownloaded(const std::string& path) override;
  void ReloadSelectedCategory();
  void ScrollPanelForward();
  void ScrollPanelBack();
  // Asks, then moves the category's folder to the Recycle Bin with its pictures, and drops them
  // from the strip; false when the member said no or the folder stayed.
  bool DeleteCategory(HTREEITEM item);

  HWND Tree() const { return tree_.Tree(); }
  ThumbnailPanel& Panel() { return *panel_; }
  ThumbnailPreviewList& Preview() { return *preview_; }
  std::string SelectedCategory() const;

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnApplyCarousel(const fw::Message& m);
  LRESULT OnPagePrevious(const fw::Message& m);
  LRESULT OnPageNext(const fw::Message& m);
  LRESULT OnPanelMessage(const fw::Message& m);
  LRESULT OnDownloadFinished(const fw::Message& m);
  LRESULT OnAddSelected(const fw::Message& m);
  LRESULT OnCommandMessage(const fw::Message& m);
  LRESULT OnNotifyMessage(const fw::Message& m);
  LRESULT OnPictureDeleted(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  LRESULT OnDestroyPage(const fw::Message& m);

  void PlaceControls();
  void FillTree();
  void ShowCategory(HTREEITEM item, bool setCaption);
  void RefreshPageInformation();
  void GoToPage(int page, bool selectInChooser);
  void GoToTypedPage();
  void ApplyDateFilter();
  void StepChooser(int step);
  void StartCarousel();
  void StopCarousel();
  void ShowCategoryMenu();
  std::string FolderOf(const std::string& category) const;
  int Notice(const std::string& text, UINT flags);

  int layout_;
  std::unique_ptr<ManagerPageShell> shell_;
  CategoryTree tree_;
  skin::SkinElementHost skin_;  // layout 1's elements
  std::unique_ptr<ThumbnailPreviewList> preview_;
  std::unique_ptr<ThumbnailPanel> panel_;
  std::string caption_;
  HTREEITEM menuItem_ = nullptr;
  bool followSelection_ = true;
};

}  // namespace mb
