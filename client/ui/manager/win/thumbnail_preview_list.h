// ThumbnailPreviewList: the pictures of one category folder as thumbnail cells, newest first,
// a page at a time, with the date filter of the manager page. The list view and its image list
// belong to this object; the page owns the object.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "client/ui/manager/picture_date_filter.h"
#include "client/ui/manager/preview_paging.h"

namespace mb {

constexpr int kPreviewListId = 1102;

class ThumbnailPreviewList {
 public:
  explicit ThumbnailPreviewList(int layout);
  ~ThumbnailPreviewList();
  ThumbnailPreviewList(const ThumbnailPreviewList&) = delete;
  ThumbnailPreviewList& operator=(const ThumbnailPreviewList&) = delete;

  HWND Create(HWND page, const RECT& place);
  HWND Window() const { return list_; }

  // Reads the folder's pictures (newest first, no filter) and shows the first page.
  void ScanCategoryFolder(const std::string& folder);
  // Keeps the pictures the filter passes and shows the first page; returns how many.
  int ApplyDateFilter(const manager::DateFilter& filter);
  void Clear();
  // Shows that page (from 0); false for a page outside the list.
  bool ShowPage(int page);

  const manager::PreviewPaging& Paging() const { return paging_; }
  int PictureCount() const { return static_cast<int>(filtered_.size()); }
  // Path of cell n of the page shown; empty outside it.
  std::string PathOfCell(int cell) const;
  // The selected cell of the page, or -1.
  int SelectedCell() const;

 private:
  void Rebuild();
  void FillPage();

  int layout_;
  HWND list_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::vector<manager::CategoryPicture> all_;
  std::vector<manager::CategoryPicture> filtered_;
  manager::PreviewPaging paging_;
};

}  // namespace mb
