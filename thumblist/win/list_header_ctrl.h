// CListHeaderCtrl: the picture list's column header. It paints its items itself (an optional
// 13 by 13 check box or image, a bitmap and the text of each item, divider lines and a 3-D
// outline), shows the sort arrow on the sorted column and offers the column menu, whose commands
// turn a column's show setting over and let the list apply the new width.
#pragma once

#include <windows.h>

#include "framework/header_ctrl.h"
#include "thumblist/win/thumbrill_api.h"

class MB_THUMBRILL_API CListHeaderCtrl : public fw::HeaderCtrl {
 public:
  static constexpr COLORREF kCheckFrameColor = 0x00996633;
  static constexpr COLORREF kTickColor = 0x00339933;
  static constexpr UINT kAnyAlignment = static_cast<UINT>(-1);

  CListHeaderCtrl();

  // The arrow goes to this column (drawn by the header itself), pointing up when ascending.
  void SetSortImage(int column, bool ascending);
  int GetSortColumn() const { return sortColumn_; }
  bool IsSortAscending() const { return ascending_; }

  // DT_LEFT, DT_CENTER or DT_RIGHT for every item's text; kAnyAlignment follows each item.
  void SetAlignment(UINT alignment) { alignment_ = alignment; }
  void SetTextColor(COLORREF colour) { textColour_ = colour; }
  void SetSeparators(bool on) { separators_ = on; }
  void SetDoubleBuffer(bool on) { doubleBuffer_ = on; }
  void SetFlatBorder(bool on) { flatBorder_ = on; }

  // The column menu at the cursor (the list asks for it on a right click of the header).
  void ShowColumnMenu();
  // The column menu as it shows: its checks from the settings, the file name grey, PK taken out.
  // The caller destroys the returned menu; its first sub-menu is the one shown.
  HMENU BuildColumnMenu() const;
  // A command of the column menu: the column's show setting turned over, the command sent on to
  // the list. False for any other id.
  bool RunColumnCommand(UINT id);

 private:
  struct ItemPaint;

  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnSysColorChange(const fw::Message& m);
  LRESULT OnSetImageList(const fw::Message& m);
  LRESULT OnLayout(const fw::Message& m);
  LRESULT OnCommandMessage(const fw::Message& m);
  void ReadColours();

  void Paint(HDC dc) const;
  void PaintItem(HDC dc, const ItemPaint& item) const;
  void PaintSortedItem(HDC dc, const ItemPaint& item) const;
  int PaintImage(HDC dc, const ItemPaint& item, const RECT& room) const;
  int PaintBitmap(HDC dc, const ItemPaint& item, const RECT& room) const;
  void PaintCheckBox(HDC dc, int left, int middle, bool ticked) const;
  void PaintArrow(HDC dc, const RECT& item) const;
  UINT TextAlignment(int format) const;

  int sortColumn_ = -1;
  bool ascending_ = true;
  COLORREF textColour_;
  UINT alignment_ = kAnyAlignment;
  bool separators_ = true;
  bool doubleBuffer_ = true;
  bool flatBorder_ = false;
  int margin_ = 6;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  COLORREF highlight_ = 0, shadow_ = 0, face_ = 0, buttonText_ = 0;
};
