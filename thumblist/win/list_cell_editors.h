// The picture list's in-place editors: an edit box (CListCellEdit) and a drop-down list
// (CListCellCombo) over one cell. Only the list opens them (DisplayEditBox, DisplayComboBox) and
// only the list destroys them. Each remembers its cell; when it ends it writes its text into that
// cell, hides, and tells the list with kCellEditorEnded, so that the list lets it go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/window.h"

class CListImageCtrl;

// Posted to the list by an editor that has ended; wParam its window.
constexpr UINT kCellEditorEnded = WM_USER + 0x251;

class ListCellEditor : public fw::Window {
 public:
  ListCellEditor(CListImageCtrl& list, int row, int column) : list_(list), row_(row), column_(column) {}

  int Row() const { return row_; }
  int Column() const { return column_; }
  // Writes the editor's text into its cell and hides it; only the first call writes.
  void Commit();
  // A notification code the editor's control sent to the list.
  virtual void OnControlNotification(UINT) {}

 protected:
  // Commits and tells the list.
  void End();
  virtual std::string Text() const = 0;
  CListImageCtrl& list_;

 private:
  int row_;
  int column_;
  bool committed_ = false;
};

class CListCellEdit : public ListCellEditor {
 public:
  static constexpr int kControlId = 100;
  CListCellEdit(CListImageCtrl& list, int row, int column);
  // The edit box over rect with the whole text selected and the focus.
  bool Create(const RECT& rect, const std::string& text, HFONT font);

 private:
  std::string Text() const override;
  LRESULT OnKillFocus(const fw::Message& m);
};

class CListCellCombo : public ListCellEditor {
 public:
  static constexpr int kControlId = 110;
  static constexpr int kListDepth = 100;  // room below the cell for the dropped list
  CListCellCombo(CListImageCtrl& list, int row, int column);
  // The drop-down list over cell (reaching kListDepth below it) with the items, selected chosen.
  bool Create(const RECT& cell, const std::vector<std::string>& items, int selected, HFONT font);
  void OnControlNotification(UINT code) override;

 private:
  std::string Text() const override;
};
