// Pictures decoded by the system's OLE picture loader, and their drawing.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "common/win/com_ptr.h"

namespace mb {

// Decodes the picture held in memory (GIF, JPEG, BMP, ICO, ...). With freeWithStream the
// memory belongs to the stream from here on, whatever the outcome; otherwise the caller keeps
// it. Null when the loader cannot read it. The calling thread has COM initialised.
ComPtr<IPicture> DecodePicture(HGLOBAL memory, bool freeWithStream);

// The picture's size in screen pixels (from its HIMETRIC size and the screen's resolution).
SIZE PictureSizeInPixels(IPicture* picture);

// Draws the whole picture into (x, y, width, height) of dc.
bool RenderPicture(IPicture* picture, HDC dc, int x, int y, int width, int height);

}  // namespace mb
