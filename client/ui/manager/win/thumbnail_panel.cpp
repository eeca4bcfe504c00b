#include "client/ui/manager/win/thumbnail_panel.h"

#include "client/core/client_config.h"
#include "client/core/path_text.h"
#include "client/core/win/system_utils.h"
#include "client/ui/manager/thumbnail_cell.h"
#include "client/ui/win/small_window_calls.h"
#include "common/gbk_text.h"
#include "image/win/picture_gdi.h"
#include "framework/menu.h"

namespace mb {

namespace {

const char kPanelCaption[] = "墨岚屏[Pelora]-系统消息";
const char kNothingToMove[] = "没有图像可移动!";
const char kNothingToShow[] = "没有图像可显示!";

COLORREF EmptySlotColour(int layout) { return layout == 3 ? RGB(255, 255, 255) : 0x21D8FF; }

void Notice(const char* text) { MessageBoxA(nullptr, text, kPanelCaption, MB_OK | MB_ICONINFORMATION); }

}  // namespace

ThumbnailPanel::ThumbnailPanel(int layout) : layout_(layout) {
  Handle(WM_PAINT, &ThumbnailPanel::OnPaint);
  Handle(WM_LBUTTONDOWN, &ThumbnailPanel::OnButtonDown);
  Handle(WM_LBUTTONDBLCLK, &ThumbnailPanel::OnDoubleClick);
  Handle(WM_CONTEXTMENU, &ThumbnailPanel::OnContextMenu);
  Handle(WM_COMMAND, &ThumbnailPanel::OnMenuCommand);
  for (const std::string& path : GetClientConfig()->wallpapers.Paths()) AddPicture(path);
}

ThumbnailPanel::~ThumbnailPanel() {
  GetClientConfig()->wallpapers.SetPaths(strip_.Paths());
  Destroy();
  for (auto& entry : thumbnails_) DeleteObject(entry.second);
}

fw::WindowClassSpec ThumbnailPanel::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "mb.ThumbnailPanel";
  spec.style = CS_DBLCLKS;
  return spec;
}

HWND ThumbnailPanel::CreatePanel(HWND page, const RECT& place) {
  return Create(page, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, &place);
}

bool ThumbnailPanel::AddPicture(const std::string& path) {
  if (!FileExists(path) || ImageFormatFromExtension(path) == kImageFormatUnknown) return false;
  if (!strip_.Add(path)) return false;
  const std::string key = GbkToLowerAscii(path);
  if (!thumbnails_.count(key)) {
    const Picture cell = manager::MakeThumbnailCell(path, manager::StripCellSize(layout_));
    thumbnails_[key] = CreatePictureBitmap(cell);
  }
  Repaint();
  return true;
}

void ThumbnailPanel::RemoveItem(int index) {
  if (strip_.RemoveAt(index)) Repaint();
}

void ThumbnailPanel::RemoveFolderPictures(const std::string& folder) {
  strip_.RemoveFolderPictures(folder);
  Repaint();
  Save();
}

void ThumbnailPanel::RemovePicture(const std::string& path) {
  if (!strip_.RemovePath(path)) return;
  Repaint();
  Save();
}

bool ThumbnailPanel::Save() {
  ClientConfig& config = *GetClientConfig();
  config.wallpapers.SetPaths(strip_.Paths());
  return config.SaveWallpaperList();
}

void ThumbnailPanel::ScrollForward() {
  if (strip_.ScrollForward()) Repaint();
}

void ThumbnailPanel::ScrollBack() {
  if (strip_.ScrollBack()) Repaint();
}

void ThumbnailPanel::RunMenuCommand(UINT command, int item) {
  switch (command) {
    case kPanelRemove:
      RemoveItem(item);
      Save();
      break;
    case kPanelMoveEarlier:
      if (GetCount() < 2 || !strip_.MoveEarlier(item)) return Notice(kNothingToMove);
      Repaint();
      break;
    case kPanelMoveLater:
      if (GetCount() < 2 || !strip_.MoveLater(item)) return Notice(kNothingToMove);
      Repaint();
      break;
    case kPanelPreview:
      if (!FileExists(GetItemPath(item))) return Notice(kNothingToShow);
      ShowPicturePreview({GetItemPath(item)});
      break;
    default:
      break;
  }
}

void ThumbnailPanel::PreviewAll() const {
  if (GetCount() > 0) ShowPicturePreview(Paths());
}

void ThumbnailPanel::Repaint() {
  if (IsWindow()) InvalidateRect(Handle(), nullptr, TRUE);
}

HBITMAP ThumbnailPanel::ThumbnailOf(const std::string& path) const {
  auto found = thumbnails_.find(GbkToLowerAscii(path));
  return found == thumbnails_.end() ? nullptr : found->second;
}

LRESULT ThumbnailPanel::OnPaint(const fw::Message&) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  const HDC memory = CreateCompatibleDC(dc);
  const int inset = layout_ == 3 ? 0 : 2;
  for (int slot = 0; slot < manager::ThumbnailStrip::kVisibleSlots; ++slot) {
    const skin::Rect r = manager::DrawnStripSlotRect(layout_, slot);
    const RECT box = {r.left, r.top, r.right, r.bottom};
    const int item = strip_.ItemAtSlot(slot);
    const HBITMAP thumbnail = item >= 0 ? ThumbnailOf(strip_.PathAt(item)) : nullptr;
    if (!thumbnail) {
      HBRUSH fill = CreateSolidBrush(EmptySlotColour(layout_));
      FillRect(dc, &box, fill);
      DeleteObject(fill);
      continue;
    }
    const skin::Size cell = manager::StripCellSize(layout_);
    const HGDIOBJ old = SelectObject(memory, thumbnail);
    BitBlt(dc, r.left + inset, r.top + inset, cell.cx, cell.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    if (item == selected_) {
      HBRUSH frame = CreateSolidBrush(RGB(253, 185, 255));
      ::FrameRect(dc, &box, frame);
      DeleteObject(frame);
    }
  }
  DeleteDC(memory);
  EndPaint(Handle(), &paint);
  return 0;
}

LRESULT ThumbnailPanel::OnButtonDown(const fw::Message& m) {
  const int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
  if (const UINT mark = manager::StripMarkAt(layout_, x, y)) {
    SendMessageA(GetParent(Handle()), mark, 0, 0);
    return 0;
  }
  const int item = strip_.ItemAtSlot(manager::HitStripSlot(layout_, x, y));
  if (item >= 0 && item != selected_) {
    selected_ = item;
    Repaint();
  }
  return 0;
}

LRESULT ThumbnailPanel::OnDoubleClick(const fw::Message& m) {
  const int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
  if (manager::IsStripDoubleClickIgnored(layout_, x, y)) return 0;
  const int item = strip_.ItemAtSlot(manager::HitStripSlot(layout_, x, y));
  if (item < 0) return 0;
  RemoveItem(item);
  Save();
  return 0;
}

LRESULT ThumbnailPanel::OnContextMenu(const fw::Message& m) {
  POINT at = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  POINT client = at;
  ScreenToClient(Handle(), &client);
  const int item = strip_.ItemAtSlot(manager::HitStripSlot(layout_, client.x, client.y));
  if (item < 0) return 0;
  menuItem_ = item;
  fw::Menu menu = fw::Menu::CreatePopup();
  menu.AppendItem(kPanelRemove, "删除");
  menu.AppendItem(kPanelMoveEarlier, "前移一张");
  menu.AppendItem(kPanelMoveLater, "后移一张");
  menu.AppendItem(kPanelPreview, "预览");
  menu.Track(Handle(), at.x, at.y);
  return 0;
}

LRESULT ThumbnailPanel::OnMenuCommand(const fw::Message& m) {
  const UINT command = LOWORD(m.wParam);
  if (command == kPanelPreviewAll) PreviewAll();
  if (command >= kPanelRemove && command <= kPanelPreview) {
    RunMenuCommand(command, menuItem_);
    if (command == kPanelRemove) menuItem_ = -1;
  }
  return 0;
}

}  // namespace mb
