// CListImageCtrl: the uploader's picture list. One row per picture file, shown as 90 by 90
// thumbnails or as a report of thirteen columns; check boxes mark the rows an upload or a batch
// operation takes, the highlighted row is the current picture. It tells its view and the
// program's main window what the member does (list_messages.h).
//
// Every row carries a copy of its thirteen texts (the sort keys); texts changed through the
// list's own calls change the copy too. Everything runs on the window's thread except AddImage,
// which a folder scan may call from its own thread: the row is made ready there and inserted by
// the window's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/gbk_string.h"
#include "framework/header_ctrl.h"
#include "framework/image_list.h"
#include "framework/list_view.h"
#include "framework/tooltip.h"
#include "thumblist/core/cell_choices.h"
#include "thumblist/core/column_layout.h"
#include "thumblist/core/picture_row.h"
#include "thumblist/core/sort_order.h"
#include "thumblist/win/prepared_row_queue.h"
#include "thumblist/win/thumbrill_api.h"

struct stImageInfo;
class CListHeaderCtrl;
class ListCellEditor;

class MB_THUMBRILL_API CListImageCtrl : public fw::ListView {
 public:
  CListImageCtrl();
  explicit CListImageCtrl(const fw::CString& path);
  ~CListImageCtrl() override;

  // Creates the list (LVS_REPORT or LVS_ICON in style) as a child with the horizontal scroll
  // bar shown, file drops accepted and, in report mode, its header bound at once.
  HWND Create(HWND parent, const RECT& rect, DWORD style, UINT id);

  // Columns and image lists.
  void CreateColumn();
  void RefreshColumn();
  // Sets the width, reads it back and sets it again with the header's margin on both sides.
  virtual void SetColumnWidth(int column, int width);
  void SetImageList2(int thumbnails);
  void SetThumSize(int width, int height);
  int GetColumnCount() const { return columnCount_; }

  // Rows.
  void AddImage(const fw::CString& path, int unused = 0);
  // Inserts a row at the end with its image and its thirteen texts; returns its index or -1.
  int AddItem(int image, const mb::thumblist::RowTexts& texts);
  // Changes a cell and the row's sort key alike.
  bool SetItemText(int row, int column, const char* text);
  void SetTextArray(int row, const mb::thumblist::RowTexts& texts);
  const mb::thumblist::RowTexts* GetRowTexts(int row) const;
  void SetItemImage(const fw::CString& path, int row, int unused = 0);
  void SetCurrentItemImage();
  // The framed thumbnail (the caller deletes it) and "W*H", or null.
  HBITMAP LoadPicture(const fw::CString& path, fw::CString& dimensions);
  // Why the last picture could not be added: its path and the loader's reason; empty after a success.
  fw::CString GetLastLoadError() const;

  fw::CString GetItemFilePath(int row) const;
  const fw::CString& GetPath() const { return path_; }
  int GetSelectedItem();
  int GetSelectedItemNumber() const;
  int GetCurrentIndex() const { return currentIndex_; }
  int GetPreFilePath(fw::CString& path);
  int GetNextFilePath(fw::CString& path);
  // Appends every row's path; returns the sum of the sizes of the files that exist.
  std::uint64_t GetFilesPathList(std::vector<fw::CString>& paths) const;
  // The upload rule over the ticked rows: 1 when all pass, else 0 with the refused paths.
  int ContinueUpload(std::vector<fw::CString>& refused, int* accepted);

  void RemoveAll();
  void EditDelete(int row);
  void EditDelete(const fw::CString& path);
  void OnEditSelectall();
  void OnEditUnselectall();
  void OnRotate90Right();
  void OnRotate90Left();

  // Sorting by a column's texts (with or without the header's arrow).
  void Sort(int column, int ascending);
  void SortColumn(int column, int ascending);

  // The start-upload rule of the row menu, for the program's command enabling too.
  bool CanStartUpload() const;

  void DrawWindow();
  void SetParentHwnd(HWND owner) { owner_ = owner; }
  void SetHeaderAlignment(UINT alignment);
  void SetHeaderTextColor(COLORREF colour);

  // In-place editors, one at a time, over a cell: an edit box with the cell's whole text, or a
  // drop-down list of the cell's choices. Null when the row does not exist or the window could
  // not be made. An editor that ends writes its text into its cell; HideEditBox writes it too
  // and closes the editor (before rows are removed, sorted or reloaded, and the view switched).
  HWND DisplayEditBox(int row, int column);
  HWND DisplayComboBox(int row, int column);
  // The cell of the open editor; -1, -1 when none is open.
  void GetCellInfo(int& row, int& column) const;
  void HideEditBox();
  // Cells the editors may change, and the combo choices of a cell ("$"-joined); row or
  // column -1 stands for any.
  void AddEditableCell(int row, int column);
  bool IsEditable(int row, int column) const;
  void SetComboBox(int row, int column, const std::string& choices);
  bool IsComboSet(int row, int column) const;
  std::vector<std::string> GetComboChoices(int row, int column) const;

  // The tooltip of a cell: its text, up to 79 bytes cut at a character boundary.
  fw::CString OnToolTipText(int row, int column) const;

 protected:
  // The header's object, made once: at creation in report mode, else at the first column click.
  CListHeaderCtrl* Header() { return header_.get(); }

 private:
  struct ListRow;
  struct SortContext;
  static int CALLBACK CompareRows(LPARAM left, LPARAM right, LPARAM context);

  void RegisterHandlers();
  mb::thumblist::ColumnFlags CurrentFlags() const;
  void SubclassHeader();
  void ShowSortArrow(int column, bool ascending);
  bool CellEditorRect(int row, int column, RECT& rect);
  HWND OpenEditor(std::unique_ptr<ListCellEditor> editor);
  // The '$'-joined choices of a cell: the row's own, else those kept for every row.
  std::string ChoicesOf(int row, int column) const;
  ListRow* RowAt(int row) const;
  bool PrepareRow(const std::string& path, mb::thumblist::PreparedRow& row);
  void SetLastLoadError(const std::string& path, const std::string& reason);
  void InsertPrepared(mb::thumblist::PreparedRow row);
  void FreeRows();
  void DeleteRow(int row);
  int HighlightedRow() const;
  bool AnyTicked() const;
  // Sends WM_STORE_IMAGE_INFO for each pending row while the settings are marked edited, then
  // clears the mark; FlushPendingRows also forgets the rows (their indexes are about to change).
  void StorePendingEdits();
  void FlushPendingRows();
  void SendRowInfo(HWND target, WPARAM wParam, int row);
  void ReportRow(int row);
  void ShowRowInPanes(int row);
  void SendStatusText(const std::string& text);
  void NotifyParentStatus();
  void Rotate(bool right);
  void RotateRow(int row, bool right);

  // Messages and notifications (list_image_ctrl_input.cpp).
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnDropFiles(const fw::Message& m);
  LRESULT OnLButtonDown(const fw::Message& m);
  LRESULT OnRButtonDown(const fw::Message& m);
  LRESULT OnKeyDown(const fw::Message& m);
  LRESULT OnMouseMove(const fw::Message& m);
  LRESULT OnStoreImageInfo(const fw::Message& m);
  LRESULT OnEditPicture(const fw::Message& m);
  LRESULT OnRowsPrepared(const fw::Message& m);
  LRESULT OnEditorEnded(const fw::Message& m);
  LRESULT OnReflectedNotify(const fw::Message& m);
  LRESULT OnHeaderBeginTrack(NMHDR* header);
  LRESULT OnHeaderRightClick(NMHDR* header);
  LRESULT OnCommandMessage(const fw::Message& m);
  void OnClick(const NMITEMACTIVATE& click);
  void OnDoubleClick();
  void OnColumnClick(int column);
  void ShowRowMenu();
  void RunCommand(UINT id);
  void OnEdit();
  void OnSaveAs();
  void OnOpenFolder();
  void RemoveHighlighted();
  void RemoveTicked();

  fw::CString path_;
  HWND owner_ = nullptr;
  int currentIndex_ = -1;
  int lastReportedRow_ = -1;
  // The row whose tick the last click turned over, until the next click: the first click of a
  // double click turns it over too, and the double click (the edit) turns it back.
  int clickTickedRow_ = -1;
  mb::thumblist::SortOrder sortOrder_;
  int columnCount_ = 0;
  std::vector<int> pendingRows_;
  int thumbWidth_ = 90;
  int thumbHeight_ = 90;
  std::unique_ptr<CListHeaderCtrl> header_;
  UINT headerAlignment_ = static_cast<UINT>(-1);
  COLORREF headerTextColour_ = GetSysColor(COLOR_BTNTEXT);
  mb::thumblist::CellTable editableCells_;
  mb::thumblist::CellTable anyRowChoices_;  // choices kept for every row of a column
  std::unique_ptr<ListCellEditor> editor_;
  fw::ToolTip cellTip_;
  int tipCell_ = 0;  // packed row and column the tooltip shows, 0 none
  fw::ImageList thumbnails_;
  fw::ImageList icons_;
  fw::ImageList listIcon_;  // 16x16, the library's icon 204, made with the window
  DWORD windowThread_ = 0;
  mb::thumblist::PreparedRowQueue prepared_;
  mutable std::mutex errorLock_;  // AddImage may run on a scan thread
  std::string lastLoadError_;
};
