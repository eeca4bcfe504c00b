// The picture on Windows: drawing it on a device context, handing it to GDI as a bitmap, taking a
// bitmap back, and drawing text onto it with a GDI font.
#pragma once

#include <windows.h>

#include <string>

#include "image/picture.h"

namespace mb {

// Draws the picture stretched into the rectangle (x, y, width, height). A picture with an alpha
// plane, a transparent index or a transparent colour is blended over what the DC already shows;
// any other is copied (SRCCOPY). False when the picture is empty or GDI refuses.
bool DrawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height);

// A new 24-bit DIB section with the picture's colours (alpha ignored); the caller owns it and
// deletes it with DeleteObject. Null for an empty picture.
HBITMAP CreatePictureBitmap(const Picture& picture);

// The bitmap's pixels as a true-colour picture (any bitmap GDI can convert).
bool PictureFromBitmap(HBITMAP bitmap, Picture& out);

struct TextStyle {
  std::string face = "宋体";   // GBK at run time
  int height = 12;             // LOGFONT height: positive cell height, negative character height
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  Rgba colour{0, 0, 0, 255};
};

// Draws a GBK text onto the picture with its top-left corner at (x, y), antialiased, in the
// style's colour (its alpha scales the ink). Where the picture has an alpha plane the text's
// pixels become opaque. False when the picture is empty or GDI refuses.
bool DrawString(Picture& picture, int x, int y, const std::string& text, const TextStyle& style);

}  // namespace mb
