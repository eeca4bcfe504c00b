#include "client/ui/gif/win/ole_picture.h"

namespace mb {

ComPtr<IPicture> DecodePicture(HGLOBAL memory, bool freeWithStream) {
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, freeWithStream ? TRUE : FALSE, stream.Out()))) {
    if (freeWithStream) GlobalFree(memory);
    return nullptr;
  }
  ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.Get(), 0, FALSE, IID_IPicture, picture.OutVoid()))) return nullptr;
  return picture;
}

SIZE PictureSizeInPixels(IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  HDC screen = GetDC(nullptr);
  const SIZE size = {MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                     MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  return size;
}

bool RenderPicture(IPicture* picture, HDC dc, int x, int y, int width, int height) {
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  picture->get_Width(&hmWidth);
  picture->get_Height(&hmHeight);
  // The source runs bottom-up in HIMETRIC units.
  return SUCCEEDED(picture->Render(dc, x, y, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
}

}  // namespace mb
