#include "client/ui/manager/win/thumbnail_preview_list.h"

#include "client/core/path_text.h"
#include "client/core/unix_time.h"
#include "client/ui/manager/thumbnail_cell.h"
#include "image/win/picture_gdi.h"

namespace mb {

namespace {

skin::Size CellSize(int layout) { return layout == 1 ? skin::Size{77, 60} : skin::Size{120, 92}; }

std::int64_t LocalSeconds(const SYSTEMTIME& t) {
  return UnixTimeFromUtc(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

// The file's last write on the local clock, so it compares with the local now.
std::int64_t LocalWriteTime(const FILETIME& written) {
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
  return LocalSeconds(local);
}

std::int64_t LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalSeconds(now);
}

}  // namespace

ThumbnailPreviewList::ThumbnailPreviewList(int layout) : layout_(layout) {}

ThumbnailPreviewList::~ThumbnailPreviewList() {
  if (list_ && IsWindow(list_)) DestroyWindow(list_);
  if (images_) ImageList_Destroy(images_);
}

HWND ThumbnailPreviewList::Create(HWND page, const RECT& place) {
  list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                          place.left, place.top, place.right - place.left, place.bottom - place.top, page,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPreviewListId)), GetModuleHandleA(nullptr),
                          nullptr);
  const skin::Size cell = CellSize(layout_);
  images_ = ImageList_Create(cell.cx, cell.cy, ILC_COLOR24, manager::PicturesPerPage(layout_), 4);
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
  return list_;
}

void ThumbnailPreviewList::ScanCategoryFolder(const std::string& folder) {
  all_.clear();
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(FolderSearchPattern(folder).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (ImageFormatFromExtension(found.cFileName) == kImageFormatUnknown) continue;
      all_.push_back({prefix + found.cFileName, LocalWriteTime(found.ftLastWriteTime)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  manager::SortNewestFirst(all_);
  filtered_ = all_;
  Rebuild();
}

int ThumbnailPreviewList::ApplyDateFilter(const manager::DateFilter& filter) {
  filtered_ = manager::FilterPictures(all_, filter, LocalNow());
  Rebuild();
  return PictureCount();
}

void ThumbnailPreviewList::Clear() {
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

void ThumbnailPreviewList::FillPage() {
  if (!list_) return;
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  ImageList_RemoveAll(images_);
  const int first = paging_.FirstPicture();
  for (int cell = 0; cell < paging_.PerPage() && first + cell < PictureCount(); ++cell) {
    const std::string& path = filtered_[first + cell].path;
    const HBITMAP bitmap = CreatePictureBitmap(manager::MakeThumbnailCell(path, CellSize(layout_)));
    const int image = ImageList_Add(images_, bitmap, nullptr);
    DeleteObject(bitmap);
    std::string name = GetFileNamePart(path);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = cell;
    item.pszText = &name[0];
    item.iImage = image;
    item.lParam = first + cell;
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

std::string ThumbnailPreviewList::PathOfCell(int cell) const {
  const int index = paging_.FirstPicture() + cell;
  if (cell < 0 || cell >= paging_.PerPage() || index >= PictureCount()) return {};
  return filtered_[index].path;
}

int ThumbnailPreviewList::SelectedCell() const {
  return list_ ? static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

}  // namespace mb
