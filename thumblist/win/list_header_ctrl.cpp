#include "thumblist/win/list_header_ctrl.h"

#include <algorithm>
#include <string>

#include "conf/win/config.h"
#include "framework/gdi.h"
#include "framework/module.h"
#include "thumblist/core/column_layout.h"
#include "thumblist/core/picture_row.h"
#include "thumblist/win/thumbrill_resource.h"
#include "uibase/win/mem_dc.h"

using namespace mb::thumblist;

namespace {
constexpr int kCheckBoxSize = 13;
constexpr UINT kFileNameCommand = 32774;
constexpr UINT kPkCommand = 32784;

// The settings' show flag of each column the menu can toggle (columns 0 to 8).
struct ShowFlag {
  int (CConfig::*get)() const;
  void (CConfig::*set)(int);
};
const ShowFlag kShowFlags[] = {
    {&CConfig::GetShowFileName, &CConfig::SetShowFileName},   {&CConfig::GetShowFilePath, &CConfig::SetShowFilePath},
    {&CConfig::GetShowFileSize, &CConfig::SetShowFileSize},   {&CConfig::GetShowImageSize, &CConfig::SetShowImageSize},
    {&CConfig::GetShowTitle, &CConfig::SetShowTitle},         {&CConfig::GetShowRemark, &CConfig::SetShowRemark},
    {&CConfig::GetShowFileType, &CConfig::SetShowFileType},   {&CConfig::GetShowImageSource, &CConfig::SetShowImageSource},
    {&CConfig::GetShowPK, &CConfig::SetShowPK},
};
static_assert(sizeof kShowFlags / sizeof kShowFlags[0] == kColPk + 1, "one flag per menu column");

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  fw::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush);
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  FillColour(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillColour(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillColour(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillColour(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}
}  // namespace

struct CListHeaderCtrl::ItemPaint {
  int index;
  RECT rect;
  HDITEMA item;
  char text[260];
};

CListHeaderCtrl::CListHeaderCtrl() {
  ReadColours();
  textColour_ = buttonText_;
  Handle(WM_PAINT, &CListHeaderCtrl::OnPaint);
  Handle(WM_ERASEBKGND, &CListHeaderCtrl::OnEraseBackground);
  Handle(WM_SYSCOLORCHANGE, &CListHeaderCtrl::OnSysColorChange);
  Handle(HDM_SETIMAGELIST, &CListHeaderCtrl::OnSetImageList);
  Handle(HDM_LAYOUT, &CListHeaderCtrl::OnLayout);
  Handle(WM_COMMAND, &CListHeaderCtrl::OnCommandMessage);
}

void CListHeaderCtrl::ReadColours() {
  highlight_ = GetSysColor(COLOR_BTNHIGHLIGHT);
  shadow_ = GetSysColor(COLOR_BTNSHADOW);
  face_ = GetSysColor(COLOR_BTNFACE);
  buttonText_ = GetSysColor(COLOR_BTNTEXT);
}

void CListHeaderCtrl::SetSortImage(int column, bool ascending) {
  sortColumn_ = column;
  ascending_ = ascending;
  if (column >= 0) SetItemFormat(column, GetItemFormat(column) | HDF_OWNERDRAW);
  InvalidateRect(Handle(), nullptr, TRUE);
}

// Messages.

LRESULT CListHeaderCtrl::OnPaint(const fw::Message&) {
  fw::PaintDC paint(Handle());
  if (doubleBuffer_) {
    CMemDC buffer(paint);
    Paint(buffer);
  } else {
    Paint(paint);
  }
  return 0;
}

LRESULT CListHeaderCtrl::OnEraseBackground(const fw::Message&) { return 1; }

LRESULT CListHeaderCtrl::OnSysColorChange(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  ReadColours();
  return result;
}

LRESULT CListHeaderCtrl::OnSetImageList(const fw::Message& m) {
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(m.lParam);
  IMAGEINFO first = {};
  if (list && ImageList_GetImageInfo(list, 0, &first)) {
    imageWidth_ = first.rcImage.right - first.rcImage.left;
    imageHeight_ = first.rcImage.bottom - first.rcImage.top;
  }
  return CallDefault(m);
}

LRESULT CListHeaderCtrl::OnLayout(const fw::Message& m) {
  auto* layout = reinterpret_cast<HDLAYOUT*>(m.lParam);
  if (flatBorder_ && layout && layout->prc) layout->prc->right += 2 * GetSystemMetrics(SM_CXBORDER);
  return CallDefault(m);
}

LRESULT CListHeaderCtrl::OnCommandMessage(const fw::Message& m) {
  if (m.lParam == 0 && RunColumnCommand(LOWORD(m.wParam))) return 0;
  return CallDefault(m);
}

// The column menu.

HMENU CListHeaderCtrl::BuildColumnMenu() const {
  HMENU menu = LoadMenuA(fw::ThisModule(), MAKEINTRESOURCEA(IDR_LIST_COLUMN_MENU));
  if (!menu) return nullptr;
  HMENU popup = GetSubMenu(menu, 0);
  const CConfig* config = CConfig::GetConfig();
  for (unsigned id : ColumnMenuCommands()) {
    const int column = *ColumnOfMenuCommand(id);
    const bool shown = (config->*kShowFlags[column].get)() != 0;
    CheckMenuItem(popup, id, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
  }
  EnableMenuItem(popup, kFileNameCommand, MF_BYCOMMAND | MF_GRAYED);
  DeleteMenu(popup, kPkCommand, MF_BYCOMMAND);
  return menu;
}

void CListHeaderCtrl::ShowColumnMenu() {
  HMENU menu = BuildColumnMenu();
  if (!menu) return;
  POINT cursor;
  GetCursorPos(&cursor);
  const UINT id = static_cast<UINT>(TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                   cursor.x, cursor.y, 0, Handle(), nullptr));
  DestroyMenu(menu);
  if (id) RunColumnCommand(id);
}

bool CListHeaderCtrl::RunColumnCommand(UINT id) {
  const std::optional<int> column = ColumnOfMenuCommand(id);
  if (!column) return false;
  CConfig* config = CConfig::GetConfig();
  const ShowFlag& flag = kShowFlags[*column];
  (config->*flag.set)((config->*flag.get)() ? 0 : 1);
  SendMessageA(GetParent(Handle()), WM_COMMAND, id, 0);
  return true;
}

// Painting.

void CListHeaderCtrl::Paint(HDC dc) const {
  RECT clip;
  GetClipBox(dc, &clip);
  FillColour(dc, clip, face_);
  fw::ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
  ::SetTextColor(dc, textColour_);
  SetBkMode(dc, TRANSPARENT);
  RECT client;
  GetClientRect(Handle(), &client);
  const int count = GetItemCount();
  int itemsRight = 0;
  for (int order = 0; order < count; ++order) {
    ItemPaint item = {};
    item.index = OrderToIndex(order);
    if (!GetItemRect(item.index, item.rect)) continue;
    itemsRight = std::max(itemsRight, static_cast<int>(item.rect.right));
    RECT meets;
    if (IntersectRect(&meets, &item.rect, &clip)) {
      item.item.mask = HDI_FORMAT | HDI_TEXT | HDI_IMAGE | HDI_BITMAP;
      item.item.pszText = item.text;
      item.item.cchTextMax = sizeof item.text;
      Send(HDM_GETITEMA, static_cast<WPARAM>(item.index), reinterpret_cast<LPARAM>(&item.item));
      if (item.item.fmt & HDF_OWNERDRAW) {
        PaintSortedItem(dc, item);
      } else {
        PaintItem(dc, item);
      }
    }
    if (separators_ && order < count - 1) {
      const RECT& r = item.rect;
      FillColour(dc, {r.right - 1, r.top + 2, r.right, r.bottom - 2}, shadow_);
      FillColour(dc, {r.right, r.top + 2, r.right + 1, r.bottom - 2}, highlight_);
    }
  }
  Draw3dRect(dc, {0, 0, itemsRight, client.bottom}, highlight_, shadow_);
}

void CListHeaderCtrl::PaintItem(HDC dc, const ItemPaint& item) const {
  RECT room = item.rect;
  InflateRect(&room, -margin_, 0);
  if (room.right <= room.left) return;
  if (const int used = PaintImage(dc, item, room)) room.left += used + margin_;
  if (const int used = PaintBitmap(dc, item, room)) room.right -= used + margin_;
  if ((item.item.fmt & HDF_STRING) && item.text[0] && room.right > room.left) {
    DrawTextA(dc, item.text, -1, &room, TextAlignment(item.item.fmt) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
}

int CListHeaderCtrl::PaintImage(HDC dc, const ItemPaint& item, const RECT& room) const {
  if (item.item.iImage == 0) return 0;
  const int middle = (room.top + room.bottom) / 2;
  if (HIMAGELIST images = GetImageList()) {
    const int width = std::min(imageWidth_, static_cast<int>(room.right - room.left));
    if (width <= 0) return 0;
    const bool atRight = (item.item.fmt & HDF_BITMAP_ON_RIGHT) != 0;
    const int left = atRight ? room.right - width : room.left;
    ImageList_DrawEx(images, item.item.iImage, dc, left, middle - imageHeight_ / 2, width, imageHeight_, CLR_DEFAULT,
                     CLR_DEFAULT, ILD_TRANSPARENT);
    return atRight ? 0 : width;
  }
  if (room.right - room.left < kCheckBoxSize) return 0;
  PaintCheckBox(dc, room.left, middle, item.item.iImage == 2);
  return kCheckBoxSize;
}

void CListHeaderCtrl::PaintCheckBox(HDC dc, int left, int middle, bool ticked) const {
  const RECT box = {left, middle - kCheckBoxSize / 2, left + kCheckBoxSize, middle - kCheckBoxSize / 2 + kCheckBoxSize};
  FillColour(dc, box, GetSysColor(COLOR_WINDOW));
  fw::Brush frame(CreateSolidBrush(kCheckFrameColor));
  FrameRect(dc, &box, frame);
  if (!ticked) return;
  // Two strokes of four one-pixel steps, each step three pixels tall: down to the right, then up.
  fw::Pen tick(CreatePen(PS_SOLID, 1, kTickColor));
  fw::ScopedSelect pen(dc, tick);
  for (int step = 0; step < 4; ++step) Line(dc, box.left + 3 + step, box.top + 5 + step, box.left + 3 + step, box.top + 8 + step);
  for (int step = 0; step < 4; ++step) Line(dc, box.left + 7 + step, box.top + 7 - step, box.left + 7 + step, box.top + 10 - step);
}

int CListHeaderCtrl::PaintBitmap(HDC dc, const ItemPaint& item, const RECT& room) const {
  if (!(item.item.fmt & HDF_BITMAP) || !item.item.hbm) return 0;
  BITMAP info = {};
  if (!GetObjectA(item.item.hbm, sizeof info, &info)) return 0;
  if (item.rect.right - item.rect.left < info.bmWidth) return 0;
  fw::MemoryDC source(dc);
  fw::ScopedSelect select(source, item.item.hbm);
  const int top = (room.top + room.bottom - info.bmHeight) / 2;
  BitBlt(dc, room.right - info.bmWidth, top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  return info.bmWidth;
}

UINT CListHeaderCtrl::TextAlignment(int format) const {
  if (alignment_ != kAnyAlignment) return alignment_;
  if ((format & HDF_JUSTIFYMASK) == HDF_RIGHT) return DT_RIGHT;
  if ((format & HDF_JUSTIFYMASK) == HDF_CENTER) return DT_CENTER;
  return DT_LEFT;
}

void CListHeaderCtrl::PaintSortedItem(HDC dc, const ItemPaint& item) const {
  FillColour(dc, item.rect, face_);
  const int height = item.rect.bottom - item.rect.top;
  RECT text = item.rect;
  InflateRect(&text, -height / 4, 0);
  const bool sorted = item.index == sortColumn_;
  if (sorted) text.right -= 3 * height / 4;
  if (text.right > text.left) {
    DrawTextA(dc, item.text, -1, &text, TextAlignment(item.item.fmt & ~HDF_OWNERDRAW) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
  if (sorted) PaintArrow(dc, item.rect);
}

// A triangle a quarter of the item's height wide and high, at the item's right end: lit on the
// right, shaded on the left, its flat side lit when it points up and shaded when it points down.
void CListHeaderCtrl::PaintArrow(HDC dc, const RECT& item) const {
  const int size = std::max(2, static_cast<int>(item.bottom - item.top) / 4);
  const int left = item.right - 2 * size - size / 2;
  if (left <= item.left) return;
  const int top = (item.top + item.bottom - size) / 2;
  const int apexX = left + size / 2;
  fw::Pen light(CreatePen(PS_SOLID, 1, highlight_));
  fw::Pen dark(CreatePen(PS_SOLID, 1, shadow_));
  const int apexY = ascending_ ? top : top + size;
  const int baseY = ascending_ ? top + size : top;
  {
    fw::ScopedSelect pen(dc, dark);
    Line(dc, apexX, apexY, left, baseY);
    if (!ascending_) Line(dc, left, baseY, left + size + 1, baseY);
  }
  fw::ScopedSelect pen(dc, light);
  Line(dc, apexX, apexY, left + size, baseY);
  if (ascending_) Line(dc, left, baseY, left + size + 1, baseY);
}
