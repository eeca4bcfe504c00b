#include "tests/winkit/screenshot.h"

#include <memory>
#include <type_traits>

#include "framework/gdi.h"
#include "tests/winkit/png_writer.h"
#include "tests/winkit/winkit.h"

namespace winkit {
namespace {

// A DC from GetDC or GetWindowDC, given back at the end.
struct DcRelease {
  HWND window;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using TakenDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcRelease>;

// Copies width x height pixels from the DC's origin through a top-down 32-bit DIB section.
RgbImage CopyPixels(HDC source, int width, int height) {
  if (!source || width <= 0 || height <= 0) return {};
  BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
  void* bits = nullptr;
  fw::Bitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::MemoryDC memory(source);
  if (!bitmap || !bits || !memory) return {};
  {
    fw::ScopedSelect select(memory, bitmap);
    if (!BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY)) return {};
  }
  GdiFlush();

  RgbImage image(width, height);
  const auto* pixel = static_cast<const BYTE*>(bits);  // blue, green, red, unused
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, pixel += 4) image.SetPixel(x, y, {pixel[2], pixel[1], pixel[0]});
  }
  return image;
}

void FinishPainting(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

}  // namespace

RgbImage CaptureClientArea(HWND window) {
  RECT client = {};
  if (!IsWindow(window) || !GetClientRect(window, &client)) return {};
  FinishPainting(window);
  TakenDc dc(GetDC(window), DcRelease{window});
  return CopyPixels(dc.get(), client.right - client.left, client.bottom - client.top);
}

RgbImage CaptureWindow(HWND window) {
  RECT frame = {};
  if (!IsWindow(window) || !GetWindowRect(window, &frame)) return {};
  FinishPainting(window);
  TakenDc dc(GetWindowDC(window), DcRelease{window});
  return CopyPixels(dc.get(), frame.right - frame.left, frame.bottom - frame.top);
}

bool CaptureWindowToPng(HWND window, const std::string& path) {
  return WritePngFile(CaptureWindow(window), path);
}

std::string ScreenshotPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetFullPathNameA((BinFolder() + "..\\screenshots\\").c_str(), MAX_PATH, folder, nullptr);
  MakeFolders(folder);
  return std::string(folder) + name + ".png";
}

RgbImage SaveClientScreenshot(HWND window, const std::string& name) {
  RgbImage shot = CaptureClientArea(window);
  WritePngFile(shot, ScreenshotPath(name));
  return shot;
}

}  // namespace winkit
