#include "client/ui/manager/win/thumbnail_preview_list.h"

#include <windowsx.h>

#include "client/core/path_text.h"
#include "client/core/win/skin_engine.h"
#include "client/ui/manager/preview_grid.h"
#include "client/ui/manager/win/manager_shell.h"
#include "client/ui/manager/win/thumbnail_loader.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "image/win/picture_gdi.h"

namespace mb {

namespace {

constexpr UINT WM_THUMBNAIL_LOADED = WM_USER + 0x1E1;
constexpr UINT kSkinScrollCustomDraw = static_cast<UINT>(-4095);
const char kListCaption[] = "墨岚屏[Pelora]-系统消息";

constexpr COLORREF kSelectedCell = RGB(253, 185, 255);
constexpr COLORREF kHotCell = RGB(255, 238, 211);
constexpr COLORREF kPlainCell = RGB(255, 255, 255);

// The local clock's offset now, as Windows gives it (UTC = local + bias), read once per scan.
int CurrentBiasMinutes() {
  TIME_ZONE_INFORMATION zone;
  const DWORD which = GetTimeZoneInformation(&zone);
  if (which == TIME_ZONE_ID_DAYLIGHT) return static_cast<int>(zone.Bias + zone.DaylightBias);
  if (which == TIME_ZONE_ID_STANDARD) return static_cast<int>(zone.Bias + zone.StandardBias);
  return static_cast<int>(zone.Bias);
}

// The file's last write on the local clock, so it compares with the local now.
DateTimeValue LocalWriteTime(const FILETIME& written, int biasMinutes) {
  const ULARGE_INTEGER ticks = {{written.dwLowDateTime, written.dwHighDateTime}};
  constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ULL;  // 1970-01-01 in 100 ns from 1601
  const ULONGLONG sinceEpoch = ticks.QuadPart < kUnixEpochTicks ? 0 : ticks.QuadPart - kUnixEpochTicks;
  return manager::LocalPictureTime(static_cast<std::int64_t>(sinceEpoch / 10000000ULL), biasMinutes);
}

RECT ToRect(const skin::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

manager::ScrollAction ActionOf(int code) {
  switch (code) {
    case SB_LINEUP: return manager::ScrollAction::kLineUp;
    case SB_LINEDOWN: return manager::ScrollAction::kLineDown;
    case SB_PAGEUP: return manager::ScrollAction::kPageUp;
    case SB_PAGEDOWN: return manager::ScrollAction::kPageDown;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return manager::ScrollAction::kTrack;
    default: return manager::ScrollAction::kNone;
  }
}

}  // namespace

ThumbnailPreviewList::ThumbnailPreviewList(int layout, ManagerPageShell* shell)
    : layout_(layout), shell_(shell), skin_(layout) {
  Handle(WM_CREATE, &ThumbnailPreviewList::OnCreate);
  Handle(WM_DESTROY, &ThumbnailPreviewList::OnDestroy);
  Handle(WM_ERASEBKGND, &ThumbnailPreviewList::OnEraseBackground);
  Handle(WM_PAINT, &ThumbnailPreviewList::OnPaint);
  Handle(WM_LBUTTONDOWN, &ThumbnailPreviewList::OnButtonDown);
  Handle(WM_LBUTTONUP, &ThumbnailPreviewList::OnButtonUp);
  Handle(WM_LBUTTONDBLCLK, &ThumbnailPreviewList::OnDoubleClick);
  Handle(WM_MOUSEMOVE, &ThumbnailPreviewList::OnMouseMove);
  Handle(WM_MOUSEWHEEL, &ThumbnailPreviewList::OnMouseWheel);
  Handle(WM_VSCROLL, &ThumbnailPreviewList::OnVerticalScroll);
  Handle(WM_SIZE, &ThumbnailPreviewList::OnSize);
  Handle(WM_NOTIFY, &ThumbnailPreviewList::OnNotifyMessage);
  Handle(WM_CONTEXTMENU, &ThumbnailPreviewList::OnContextMenu);
  Handle(WM_COMMAND, &ThumbnailPreviewList::OnCommandMessage);
  Handle(WM_THUMBNAIL_LOADED, &ThumbnailPreviewList::OnThumbnailLoaded);
}

ThumbnailPreviewList::~ThumbnailPreviewList() {
  Destroy();
  loader_.reset();
  if (images_) ImageList_Destroy(images_);
}

fw::WindowClassSpec ThumbnailPreviewList::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "mb.ThumbnailPreviewList";
  spec.style = CS_DBLCLKS;
  return spec;
}

HWND ThumbnailPreviewList::CreateList(HWND page, const RECT& place) {
  return Create(page, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, 0, &place,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPreviewListId)));
}

LRESULT ThumbnailPreviewList::OnCreate(const fw::Message&) {
  InstallSkinScrollBar(Handle());
  const skin::Size image = manager::PreviewImageSize(layout_);
  images_ = ImageList_Create(image.cx, image.cy, ILC_COLOR24, manager::PicturesPerPage(layout_), 4);
  loader_ = std::make_unique<ThumbnailLoader>(Handle(), WM_THUMBNAIL_LOADED);
  skin_.Attach(Handle());
  skin_.AddLayoutElements(skin::SkinWindow::kThumbnailPreviewList);
  return 0;
}

LRESULT ThumbnailPreviewList::OnDestroy(const fw::Message&) {
  loader_.reset();  // its worker stops before the window and its queue go
  skin_.Elements().RemoveAll();
  return 0;
}

void ThumbnailPreviewList::ScanCategoryFolder(const std::string& folder) {
  if (loader_) loader_->Stop();
  all_.clear();
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(FolderSearchPattern(folder).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    const int bias = CurrentBiasMinutes();
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (ImageFormatFromExtension(found.cFileName) == kImageFormatUnknown) continue;
      all_.push_back({prefix + found.cFileName, LocalWriteTime(found.ftLastWriteTime, bias)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  manager::SortNewestFirst(all_);
  filtered_ = all_;
  Rebuild();
}

int ThumbnailPreviewList::ApplyDateFilter(const manager::DateFilter& filter) {
  filtered_ = manager::FilterPictures(all_, filter, DateTimeValue::Now());
  Rebuild();
  return PictureCount();
}

void ThumbnailPreviewList::Clear() {
  if (loader_) loader_->StopAndWait();  // lets go of the folder's files, which may go next
  all_.clear();
  filtered_.clear();
  Rebuild();
}

void ThumbnailPreviewList::Rebuild() {
  paging_.Reset(PictureCount(), manager::PicturesPerPage(layout_));
  FillPage();
}

bool ThumbnailPreviewList::ShowPage(int page) {
  if (!paging_.GoTo(page)) return false;
  FillPage();
  return true;
}

void ThumbnailPreviewList::SetCaption(const std::string& caption) {
  skin_.Elements().SetElementText(kPreviewCaptionElement, caption);
}

void ThumbnailPreviewList::FillPage() {
  if (loader_) loader_->Stop();
  ++batch_;  // cells of an earlier page still queued are dropped when they arrive
  shown_.clear();
  if (images_) ImageList_RemoveAll(images_);
  hot_ = selected_ = -1;
  std::vector<std::string> paths;
  const int first = paging_.FirstPicture();
  for (int cell = 0; cell < paging_.PerPage() && first + cell < PictureCount(); ++cell) {
    shown_.push_back({filtered_[first + cell].path, -1});
    paths.push_back(filtered_[first + cell].path);
  }
  if (!IsWindow()) return;
  scrollOffset_ = 0;
  UpdateScrollRange();
  if (!paths.empty()) loader_->Start(std::move(paths), manager::PreviewImageSize(layout_), batch_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT ThumbnailPreviewList::OnThumbnailLoaded(const fw::Message& m) {
  const std::unique_ptr<LoadedThumbnail> loaded = ThumbnailLoader::TakeThumbnail(m.lParam);
  if (!loaded || loaded->batch != batch_ || loaded->cell >= static_cast<int>(shown_.size())) return 0;
  const fw::Bitmap bitmap(CreatePictureBitmap(loaded->picture));
  shown_[loaded->cell].image = ImageList_Add(images_, bitmap, nullptr);
  InvalidateCell(loaded->cell);
  return 0;
}

int ThumbnailPreviewList::ReadyCells() const {
  int ready = 0;
  for (const ShownItem& item : shown_) ready += item.image >= 0 ? 1 : 0;
  return ready;
}

std::string ThumbnailPreviewList::PathOfCell(int cell) const {
  return cell >= 0 && cell < static_cast<int>(shown_.size()) ? shown_[cell].path : std::string();
}

LRESULT ThumbnailPreviewList::OnEraseBackground(const fw::Message&) { return 1; }

LRESULT ThumbnailPreviewList::OnPaint(const fw::Message&) {
  fw::PaintBuffered(Handle(), [this](HDC dc) { DrawContent(dc); });
  return 0;
}

void ThumbnailPreviewList::DrawContent(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  {
    SkinSchemeRef scheme;
    if (scheme) {
      if (layout_ == 1) {
        // The page's background behind the list, then the list's frame.
        POINT origin = {0, 0};
        MapWindowPoints(Handle(), GetParent(Handle()), &origin, 1);
        scheme->DrawImageAt(dc, "dlg_bk", -origin.x, -origin.y);
      } else {
        scheme->DrawImage(dc, layout_ == 2 ? "thumbPreview2_bk" : "wallpaperpreview_bk", 0, 0, client.right,
                          client.bottom, SRCCOPY);
      }
      if (layout_ == 1) scheme->DrawImage(dc, "thumbpreview", 0, 0, client.right, client.bottom, SRCCOPY);
    }
  }
  for (int cell = 0; cell < manager::PreviewDrawnCells(layout_, static_cast<int>(shown_.size())); ++cell) {
    DrawCell(dc, cell);
  }
  skin_.Draw(dc);
}

void ThumbnailPreviewList::DrawCell(HDC dc, int cell) {
  const skin::Rect r = manager::PreviewCellRect(layout_, cell, scrollOffset_);
  const COLORREF colour = cell == selected_ ? kSelectedCell : cell == hot_ ? kHotCell : kPlainCell;
  {
    const fw::Brush fill(CreateSolidBrush(colour));
    const fw::Pen outline(CreatePen(PS_SOLID, 1, colour));
    const fw::ScopedSelect brush(dc, fill), pen(dc, outline);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 7, 7);
  }
  if (cell >= static_cast<int>(shown_.size()) || shown_[cell].image < 0) return;
  const fw::Region clip(CreateRoundRectRgn(r.left + 2, r.top + 2, r.right - 1, r.bottom - 1, 7, 7));
  SelectClipRgn(dc, clip);
  ImageList_Draw(images_, shown_[cell].image, dc, r.left + 2, r.top + 2, ILD_NORMAL);
  SelectClipRgn(dc, nullptr);
}

int ThumbnailPreviewList::CellAt(LPARAM lParam) const {
  return manager::HitPreviewCell(layout_, static_cast<int>(shown_.size()), scrollOffset_, GET_X_LPARAM(lParam),
                                 GET_Y_LPARAM(lParam));
}

void ThumbnailPreviewList::InvalidateCell(int cell) {
  if (cell < 0 || !IsWindow()) return;
  const RECT box = ToRect(manager::PreviewCellRect(layout_, cell, scrollOffset_));
  InvalidateRect(Handle(), &box, FALSE);
}

LRESULT ThumbnailPreviewList::OnButtonDown(const fw::Message& m) {
  if (skin_.OnMouseMessage(m.id, m.wParam, m.lParam) != -1) return 0;
  if (captured_) ReleaseCapture();
  captured_ = false;
  const int old = hot_;
  hot_ = -1;
  InvalidateCell(old);
  const int cell = CellAt(m.lParam);
  if (cell >= 0 && cell != selected_) {
    InvalidateCell(selected_);
    selected_ = cell;
    InvalidateCell(selected_);
  }
  return 0;
}

LRESULT ThumbnailPreviewList::OnButtonUp(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT ThumbnailPreviewList::OnDoubleClick(const fw::Message& m) {
  OnButtonDown(m);
  if (CellAt(m.lParam) >= 0) AddSelectedToStrip();
  return 0;
}

LRESULT ThumbnailPreviewList::OnMouseMove(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  const int cell = CellAt(m.lParam);
  if (cell >= 0) {
    if (!captured_) SetCapture(Handle());
    captured_ = true;
  } else if (captured_) {
    captured_ = false;
    ReleaseCapture();
  }
  if (cell == hot_) return 0;
  const int old = hot_;
  hot_ = cell;
  if (old != selected_) InvalidateCell(old);
  if (hot_ != selected_) InvalidateCell(hot_);
  return 0;
}

LRESULT ThumbnailPreviewList::OnMouseWheel(const fw::Message& m) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (manager::PreviewContentHeight(layout_, static_cast<int>(shown_.size())) <= client.bottom) return 0;
  if (!captured_) SetCapture(Handle());
  captured_ = true;
  const bool forward = GET_WHEEL_DELTA_WPARAM(m.wParam) > 0;
  ScrollTo(manager::ScrollOffsetAfter(forward ? manager::ScrollAction::kLineUp : manager::ScrollAction::kLineDown,
                                      scrollOffset_, manager::PreviewContentHeight(layout_, static_cast<int>(shown_.size())),
                                      client.bottom));
  return 0;
}

LRESULT ThumbnailPreviewList::OnVerticalScroll(const fw::Message& m) {
  RECT client;
  GetClientRect(Handle(), &client);
  SCROLLINFO info = {sizeof info, SIF_TRACKPOS};
  GetScrollInfo(Handle(), SB_VERT, &info);
  ScrollTo(manager::ScrollOffsetAfter(ActionOf(LOWORD(m.wParam)), scrollOffset_,
                                      manager::PreviewContentHeight(layout_, static_cast<int>(shown_.size())),
                                      client.bottom, info.nTrackPos));
  return 0;
}

void ThumbnailPreviewList::ScrollTo(int offset) {
  scrollOffset_ = offset;
  SetScrollPos(Handle(), SB_VERT, offset, TRUE);
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void ThumbnailPreviewList::UpdateScrollRange() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int content = manager::PreviewContentHeight(layout_, static_cast<int>(shown_.size()));
  SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE};
  info.nMax = content;
  info.nPage = static_cast<UINT>(client.bottom);
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  if (client.bottom > content) scrollOffset_ = 0;
  scrollOffset_ = manager::ScrollOffsetAfter(manager::ScrollAction::kNone, scrollOffset_, content, client.bottom);
  SetScrollPos(Handle(), SB_VERT, scrollOffset_, TRUE);
}

LRESULT ThumbnailPreviewList::OnSize(const fw::Message& m) {
  CallDefault(m);
  UpdateScrollRange();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return 0;
}

LRESULT ThumbnailPreviewList::OnNotifyMessage(const fw::Message& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  if (header && header->code == kSkinScrollCustomDraw) return HandleSkinScrollCustomDraw(m.wParam, header);
  return 0;
}

LRESULT ThumbnailPreviewList::OnContextMenu(const fw::Message& m) {
  POINT at = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  POINT client = at;
  ScreenToClient(Handle(), &client);
  const int cell = CellAt(MAKELPARAM(client.x, client.y));
  InvalidateCell(selected_);
  selected_ = cell;
  InvalidateCell(selected_);
  if (cell < 0) return 0;
  fw::Menu menu = fw::Menu::CreatePopup();
  menu.AppendItem(kPreviewAddSelected, "添加到已选壁纸");
  menu.AppendItem(kPreviewShowInFolder, "打开该壁纸所在文件夹");
  menu.AppendItem(kPreviewDeletePicture, "删除壁纸");
  menu.Track(Handle(), at.x, at.y);
  return 0;
}

LRESULT ThumbnailPreviewList::OnCommandMessage(const fw::Message& m) {
  const UINT id = LOWORD(m.wParam);
  if (id == kPreviewPagePrevElement) SendMessageA(GetParent(Handle()), WM_PREVIEW_PAGE_PREV, 0, 0);
  if (id == kPreviewPageNextElement) SendMessageA(GetParent(Handle()), WM_PREVIEW_PAGE_NEXT, 0, 0);
  RunMenuCommand(id);
  return 0;
}

void ThumbnailPreviewList::RunMenuCommand(UINT command) {
  const std::string path = PathOfCell(selected_);
  if (path.empty()) return;
  switch (command) {
    case kPreviewAddSelected: AddSelectedToStrip(); break;
    case kPreviewShowInFolder: shell_->ShowInFolder(path); break;
    case kPreviewDeletePicture: DeleteSelectedPicture(); break;
    default: break;
  }
}

void ThumbnailPreviewList::AddSelectedToStrip() {
  const std::string path = PathOfCell(selected_);
  // By path, sent: the page adds this picture even when a page turn follows at once.
  if (!path.empty()) SendMessageA(GetParent(Handle()), WM_PREVIEW_ADD_SELECTED, static_cast<WPARAM>(selected_), reinterpret_cast<LPARAM>(path.c_str()));
}

void ThumbnailPreviewList::DeleteSelectedPicture() {
  const std::string path = PathOfCell(selected_);
  ShownItem& item = shown_[selected_];
  loader_->StopAndWait();  // the worker may be reading this very file
  if (!DeleteFileA(path.c_str()) && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    MessageBoxA(Handle(), "删除壁纸失败", kListCaption, MB_OK | MB_ICONWARNING);
    FillPage();  // the page's thumbnails load again
    return;
  }
  if (item.image >= 0) {
    ImageList_Remove(images_, item.image);
    for (ShownItem& other : shown_) {
      if (other.image > item.image) --other.image;
    }
    item.image = -1;
  }
  // The page takes the picture out of the strip and wallpaper.dat, then reads the category again.
  SendMessageA(GetParent(Handle()), WM_PREVIEW_PICTURE_DELETED, 0, reinterpret_cast<LPARAM>(path.c_str()));
  InvalidateRect(Handle(), nullptr, FALSE);
}

}  // namespace mb
