// PictureView: a child window that shows one picture file stretched over its client area, white
// where there is no picture. The file is decoded once, when it is loaded; painting only stretches
// the bitmap kept from it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/gdi.h"
#include "framework/window.h"

namespace mb {

class PictureView : public fw::Window {
 public:
  PictureView();

  // Creates the view as a child of parent over rect.
  HWND Create(HWND parent, const RECT& rect, int id, DWORD style = WS_CHILD | WS_VISIBLE);
  // Drops the picture held and decodes the file at path. A file that cannot be decoded (or
  // whose size passes the image layer's limits) leaves the view white; false then.
  bool LoadPicture(const std::string& path);
  int PictureWidth() const { return width_; }
  int PictureHeight() const { return height_; }

 private:
  LRESULT OnEraseBackground(const fw::Message& m);
  fw::WindowClassSpec ClassSpec() const override;

  fw::Bitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace mb
