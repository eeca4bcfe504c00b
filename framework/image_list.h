// ImageList: owns one system image list and destroys it, unless it was handed on.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace fw {

class ImageList {
 public:
  ImageList() = default;
  ~ImageList() { Destroy(); }
  ImageList(ImageList&& other) noexcept : handle_(other.Release()) {}
  ImageList& operator=(ImageList&& other) noexcept {
    if (this != &other) {
      Destroy();
      handle_ = other.Release();
    }
    return *this;
  }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // flags: ILC_COLOR32 and the like, ILC_MASK for masked images.
  bool Create(int width, int height, UINT flags, int initial, int grow) {
    Destroy();
    handle_ = ImageList_Create(width, height, flags, initial, grow);
    return handle_ != nullptr;
  }
  void Destroy() {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
  }
  HIMAGELIST Release() {
    HIMAGELIST handle = handle_;
    handle_ = nullptr;
    return handle;
  }

  HIMAGELIST Handle() const { return handle_; }
  operator HIMAGELIST() const { return handle_; }
  int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

  // Index of the added image, or -1. The bitmaps stay the caller's.
  int Add(HBITMAP image, HBITMAP mask = nullptr) { return handle_ ? ImageList_Add(handle_, image, mask) : -1; }
  int AddMasked(HBITMAP image, COLORREF maskColour) {
    return handle_ ? ImageList_AddMasked(handle_, image, maskColour) : -1;
  }
  int AddIcon(HICON icon) { return handle_ ? ImageList_AddIcon(handle_, icon) : -1; }
  bool Replace(int index, HBITMAP image, HBITMAP mask = nullptr) {
    return handle_ && ImageList_Replace(handle_, index, image, mask);
  }
  COLORREF SetBackground(COLORREF colour) { return handle_ ? ImageList_SetBkColor(handle_, colour) : CLR_NONE; }
  bool Draw(int index, HDC dc, int x, int y, UINT style = ILD_NORMAL) const {
    return handle_ && ImageList_Draw(handle_, index, dc, x, y, style);
  }

 private:
  HIMAGELIST handle_ = nullptr;
};

}  // namespace fw
