#include "client/ui/manager/win/thumbnail_panel.h"

#include "client/core/client_config.h"
#include "client/core/path_text.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/ui/manager/thumbnail_cell.h"
#include "client/ui/win/small_window_calls.h"
#include "common/gbk_text.h"
#include "image/win/picture_gdi.h"
#include "framework/gdi.h"
#include "framework/menu.h"

namespace mb {

namespace {

const char kPanelCaption[] = "墨岚屏[Pelora]-系统消息";
const char kNothingToMove[] = "没有图像可移动!";
const char kNothingToShow[] = "没有图像可显示!";

COLORREF EmptySlotColour(int layout) { return layout == 3 ? RGB(255, 255, 255) : 0x21D8FF; }

void Notice(const char* text) { MessageBoxA(nullptr, text, kPanelCaption, MB_OK | MB_ICONINFORMATION); }

}  // namespace

ThumbnailPanel::ThumbnailPanel(int layout) : layout_(layout), skin_(layout) {
  Handle(WM_PAINT, &ThumbnailPanel::OnPaint);
  Handle(WM_LBUTTONDOWN, &ThumbnailPanel::OnButtonDown);
  Handle(WM_LBUTTONUP, &ThumbnailPanel::OnButtonUp);
  Handle(WM_MOUSEMOVE, &ThumbnailPanel::OnMouseMove);
  Handle(WM_CAPTURECHANGED, &ThumbnailPanel::OnCaptureLost);
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
  const HWND panel = Create(page, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, &place);
  if (panel) {
    skin_.Attach(panel);
    skin_.AddLayoutElements(skin::SkinWindow::kThumbnailPanel);
  }
  return panel;
}

bool ThumbnailPanel::AddPicture(const std::string& path) {
  if (!FileExists(path) || ImageFormatFromExtension(path) == kImageFormatUnknown) return false;
  if (!strip_.Add(path)) return false;
  const std::string key = GbkToLowerAscii(path);
  if (!thumbnails_.count(key)) {
    const Picture cell = manager::MakeThumbnailCell(path, manager::StripCellSize(layout_), manager::kStripFitRatio);
    thumbnails_[key] = CreatePictureBitmap(cell);
  }
  Repaint();
  return true;
}

void ThumbnailPanel::RemoveItem(int index) {
  if (!strip_.RemoveAt(index)) return;
  DropUnusedThumbnails();
  Repaint();
}

void ThumbnailPanel::RemoveFolderPictures(const std::string& folder) {
  strip_.RemoveFolderPictures(folder);
  DropUnusedThumbnails();
  Repaint();
  Save();
}

void ThumbnailPanel::RemovePicture(const std::string& path) {
  if (!strip_.RemovePath(path)) return;
  DropUnusedThumbnails();
  Repaint();
  Save();
}

void ThumbnailPanel::DropUnusedThumbnails() {
  for (auto entry = thumbnails_.begin(); entry != thumbnails_.end();) {
    if (strip_.IndexOf(entry->first) >= 0) {
      ++entry;
      continue;
    }
    DeleteObject(entry->second);
    entry = thumbnails_.erase(entry);
  }
  if (selected_ >= GetCount()) selected_ = -1;
  if (hover_ >= GetCount()) hover_ = -1;
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

void ThumbnailPanel::DrawBackdrop(HDC dc, POINT origin) const {
  RECT client;
  GetClientRect(Handle(), &client);
  OffsetRect(&client, origin.x, origin.y);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SkinSchemeRef scheme;
  if (!scheme) return;
  if (layout_ == 1) {
    scheme->DrawImageAt(dc, "thumbpanel", origin.x, origin.y);
    return;
  }
  scheme->DrawImageAt(dc, "dlg_bk", origin.x, origin.y);
  scheme->DrawImageAt(dc, "thumbpanel2_bk", origin.x, origin.y);
}

void ThumbnailPanel::DrawSlots(HDC dc) const {
  const fw::MemoryDC memory(dc);
  const int inset = layout_ == 3 ? 0 : 2;
  const skin::Size cell = manager::StripCellSize(layout_);
  SkinSchemeRef scheme;
  for (int slot = 0; slot < manager::ThumbnailStrip::kVisibleSlots; ++slot) {
    const skin::Rect r = manager::DrawnStripSlotRect(layout_, slot);
    const RECT box = {r.left, r.top, r.right, r.bottom};
    const int item = strip_.ItemAtSlot(slot);
    if (const HBITMAP thumbnail = item >= 0 ? ThumbnailOf(strip_.PathAt(item)) : nullptr) {
      const fw::ScopedSelect picture(memory, thumbnail);
      BitBlt(dc, r.left + inset, r.top + inset, cell.cx, cell.cy, memory, 0, 0, SRCCOPY);
    } else {
      const fw::Brush fill(CreateSolidBrush(EmptySlotColour(layout_)));
      FillRect(dc, &box, fill);
    }
    // Layouts 1 and 2 frame every slot, empty or not.
    if (scheme && layout_ != 3) scheme->DrawImageAt(dc, "thumbpanel_bk", r.left, r.top);
    if (item >= 0 && item == selected_) {
      const fw::Brush frame(CreateSolidBrush(RGB(253, 185, 255)));
      ::FrameRect(dc, &box, frame);
    }
  }
}

LRESULT ThumbnailPanel::OnPaint(const fw::Message&) {
  fw::PaintBuffered(Handle(), [this](HDC dc) {
    DrawBackdrop(dc, POINT{0, 0});
    // The first layout's strip image carries its own marks; the elements show in layouts 2 and 3.
    if (layout_ != 1) skin_.Draw(dc);
    DrawSlots(dc);
  });
  return 0;
}

LRESULT ThumbnailPanel::OnButtonDown(const fw::Message& m) {
  const int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
  if (const UINT mark = manager::StripMarkAt(layout_, x, y)) SendMessageA(GetParent(Handle()), mark, 0, 0);
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  TrackHover(-1);
  const int item = strip_.ItemAtSlot(manager::HitStripSlot(layout_, x, y));
  if (item >= 0 && item != selected_) {
    selected_ = item;
    Repaint();
  }
  return 0;
}

LRESULT ThumbnailPanel::OnButtonUp(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT ThumbnailPanel::OnMouseMove(const fw::Message& m) {
  // The page drops its own hot element while the mouse is over the panel.
  SendMessageA(GetParent(Handle()), WM_MOUSEMOVE, 0, 0);
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  const int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
  TrackHover(strip_.ItemAtSlot(manager::HitStripSlot(layout_, x, y)));
  return 0;
}

void ThumbnailPanel::TrackHover(int item) {
  hover_ = item;
  // The capture tells when the mouse leaves a thumbnail, even out of the panel.
  if (item >= 0 && !captured_) {
    captured_ = true;
    SetCapture(Handle());
  } else if (item < 0 && captured_) {
    captured_ = false;
    ReleaseCapture();
  }
}

LRESULT ThumbnailPanel::OnCaptureLost(const fw::Message&) {
  captured_ = false;
  hover_ = -1;
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
  const HWND page = GetParent(Handle());
  switch (command) {
    case kPanelPreviewAll: PreviewAll(); break;
    case kPanelApply:
      GetClientConfig()->wallpaperApply = 1;
      Save();
      SendMessageA(page, WM_PANEL_APPLY_CAROUSEL, 0, 0);
      break;
    case kPanelArrowLeft: SendMessageA(page, WM_PANEL_SCROLL_LEFT, 0, 0); break;
    case kPanelArrowRight: SendMessageA(page, WM_PANEL_SCROLL_RIGHT, 0, 0); break;
    default: break;
  }
  if (command >= kPanelRemove && command <= kPanelPreview) {
    RunMenuCommand(command, menuItem_);
    if (command == kPanelRemove) menuItem_ = -1;
  }
  return 0;
}

}  // namespace mb
