#include "client/ui/preview/win/picture_view.h"

#include "image/picture.h"
#include "image/win/picture_gdi.h"

namespace mb {

PictureView::PictureView() { Handle(WM_ERASEBKGND, &PictureView::OnEraseBackground); }

fw::WindowClassSpec PictureView::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "MuralboxPictureView";
  spec.style = 0;
  spec.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return spec;
}

HWND PictureView::Create(HWND parent, const RECT& rect, int id, DWORD style) {
  return fw::Window::Create(parent, "", style, 0, &rect, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool PictureView::LoadPicture(const std::string& path) {
  bitmap_.Reset();
  width_ = height_ = 0;
  Picture picture;
  if (!picture.Load(path)) return false;
  bitmap_.Reset(CreatePictureBitmap(picture));
  if (!bitmap_) return false;
  width_ = picture.Width();
  height_ = picture.Height();
  return true;
}

LRESULT PictureView::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!bitmap_) return 1;
  const HDC source = CreateCompatibleDC(dc);
  {
    fw::ScopedSelect select(source, bitmap_);
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  }
  DeleteDC(source);
  return 1;
}

}  // namespace mb
