// ThumbnailPreviewList: the pictures of one category folder as rounded thumbnail cells, newest
// first, a page at a time, with the date filter of the manager page. The cells are drawn by the
// window itself; their thumbnails come from one worker thread. The image list and the picture
// vectors are touched on the window's thread only. The page owns the object.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "client/ui/manager/picture_date_filter.h"
#include "client/ui/manager/preview_paging.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/window.h"

namespace mb {

class ManagerPageShell;
class ThumbnailLoader;

constexpr int kPreviewListId = 1102;

// What the list tells its page (sent).
constexpr UINT WM_PREVIEW_PAGE_PREV = 0x466;
constexpr UINT WM_PREVIEW_PAGE_NEXT = 0x467;
// wParam: the cell; lParam: the picture's path (const char*), so a page turned meanwhile adds
// nothing else.
constexpr UINT WM_PREVIEW_ADD_SELECTED = 0x80C8;
// The list's picture menu.
constexpr UINT kPreviewAddSelected = 32806;
constexpr UINT kPreviewDeletePicture = 32807;
constexpr UINT kPreviewShowInFolder = 32809;
constexpr UINT kPreviewPagePrevElement = 20115;
constexpr UINT kPreviewPageNextElement = 20116;
constexpr int kPreviewCaptionElement = 20011;
// lParam: the deleted picture's path (const char*); the page drops it from the strip and reloads.
constexpr UINT WM_PREVIEW_PICTURE_DELETED = WM_USER + 0x1E0;

class ThumbnailPreviewList : public fw::Window {
 public:
  // shell is borrowed from the page and outlives the list.
  ThumbnailPreviewList(int layout, ManagerPageShell* shell);
  ~ThumbnailPreviewList() override;

  HWND CreateList(HWND page, const RECT& place);

  // Reads the folder's pictures (newest first, no filter) and shows the first page.
  void ScanCategoryFolder(const std::string& folder);
  // Keeps the pictures the filter passes and shows the first page; returns how many.
  int ApplyDateFilter(const manager::DateFilter& filter);
  // Empties the list once the worker has let go of its pictures.
  void Clear();
  // Shows that page (from 0); false for a page outside the list.
  bool ShowPage(int page);
  // The caption line of layouts 2 and 3.
  void SetCaption(const std::string& caption);

  const manager::PreviewPaging& Paging() const { return paging_; }
  int PictureCount() const { return static_cast<int>(filtered_.size()); }
  // Path of cell n of the page shown; empty outside it.
  std::string PathOfCell(int cell) const;
  int SelectedCell() const { return selected_; }
  int HotCell() const { return hot_; }
  int ScrollOffset() const { return scrollOffset_; }
  // Cells of the page whose thumbnail has arrived.
  int ReadyCells() const;
  // The command of menu 215 for the selected cell.
  void RunMenuCommand(UINT command);

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  struct ShownItem {
    std::string path;
    int image = -1;  // in the image list once the thumbnail has arrived
  };

  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnButtonDown(const fw::Message& m);
  LRESULT OnButtonUp(const fw::Message& m);
  LRESULT OnDoubleClick(const fw::Message& m);
  LRESULT OnMouseMove(const fw::Message& m);
  LRESULT OnMouseWheel(const fw::Message& m);
  LRESULT OnVerticalScroll(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnNotifyMessage(const fw::Message& m);
  LRESULT OnContextMenu(const fw::Message& m);
  LRESULT OnCommandMessage(const fw::Message& m);
  LRESULT OnThumbnailLoaded(const fw::Message& m);

  void Rebuild();
  void FillPage();
  void DrawContent(HDC dc);
  void DrawCell(HDC dc, int cell);
  int CellAt(LPARAM lParam) const;
  void InvalidateCell(int cell);
  void UpdateScrollRange();
  void ScrollTo(int offset);
  void AddSelectedToStrip();
  void DeleteSelectedPicture();

  int layout_;
  ManagerPageShell* shell_;
  skin::SkinElementHost skin_;
  std::unique_ptr<ThumbnailLoader> loader_;
  HIMAGELIST images_ = nullptr;
  std::vector<manager::CategoryPicture> all_;
  std::vector<manager::CategoryPicture> filtered_;
  std::vector<ShownItem> shown_;
  manager::PreviewPaging paging_;
  int batch_ = 0;
  int scrollOffset_ = 0;
  int hot_ = -1;
  int selected_ = -1;
  bool captured_ = false;
};

}  // namespace mb
