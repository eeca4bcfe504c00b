// Captures of windows painted with known colours, checked pixel by pixel, and their PNG files
// read back by GDI+ (Wine's own PNG decoder), a reader independent of our writer.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "framework/gdi.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace winkit {
namespace {

const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kOdd{18, 52, 86};  // different in every channel: a swapped channel shows
const Rgb kBlack{0, 0, 0};
constexpr int kWidth = 120;
constexpr int kHeight = 80;
const char kPaintedClass[] = "WinkitPaintedWindow";

// Left half red, right half blue, a 10x10 square of kOdd at (20, 30); a second window of the
// same class painted black with dark set.
LRESULT CALLBACK PaintedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  fw::PaintDC dc(window);
  auto fill = [&dc](int left, int top, int right, int bottom, const Rgb& colour) {
    RECT area = {left, top, right, bottom};
    fw::Brush brush(CreateSolidBrush(RGB(colour.red, colour.green, colour.blue)));
    FillRect(dc, &area, brush);
  };
  if (GetPropA(window, "dark")) {
    fill(0, 0, 4000, 4000, kBlack);
    return 0;
  }
  fill(0, 0, kWidth / 2, kHeight, kRed);
  fill(kWidth / 2, 0, 4000, 4000, kBlue);
  fill(20, 30, 30, 40, kOdd);
  return 0;
}

class PaintedWindow {
 public:
  PaintedWindow(DWORD style, int x, int y, bool dark = false) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintedProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kPaintedClass;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);  // already there after the first window: fine
    RECT frame = {0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPaintedClass, "winkit", style, x, y,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    if (dark) SetPropA(window_, "dark", reinterpret_cast<HANDLE>(1));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    PumpMessages(200);
  }
  ~PaintedWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  PaintedWindow(const PaintedWindow&) = delete;
  PaintedWindow& operator=(const PaintedWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

void ExpectKnownPicture(const RgbImage& image, int left, int top) {
  EXPECT_EQ(image.Pixel(left + 0, top + 0), kRed);
  EXPECT_EQ(image.Pixel(left + kWidth / 2 - 1, top + kHeight - 1), kRed);
  EXPECT_EQ(image.Pixel(left + kWidth / 2, top + 0), kBlue);
  EXPECT_EQ(image.Pixel(left + kWidth - 1, top + kHeight - 1), kBlue);
  EXPECT_EQ(image.Pixel(left + 20, top + 30), kOdd);
  EXPECT_EQ(image.Pixel(left + 29, top + 39), kOdd);
  EXPECT_EQ(image.Pixel(left + 30, top + 40), kRed);
  EXPECT_EQ(image.CountPixels(kOdd, left, top, left + kWidth, top + kHeight), 100u);
  EXPECT_EQ(image.CountPixels(kRed, left, top, left + kWidth, top + kHeight), 60u * 80u - 100u);
  EXPECT_EQ(image.CountPixels(kBlue, left, top, left + kWidth, top + kHeight), 60u * 80u);
}

// GDI+ held for one test.
class GdiPlus {
 public:
  GdiPlus() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiPlus() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  bool Ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

RgbImage DecodeWithGdiPlus(const std::string& path) {
  wchar_t widePath[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
  Gdiplus::Bitmap bitmap(widePath);
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return {};
  RgbImage image(static_cast<int>(bitmap.GetWidth()), static_cast<int>(bitmap.GetHeight()));
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      Gdiplus::Color colour;
      bitmap.GetPixel(x, y, &colour);
      image.SetPixel(x, y, {colour.GetR(), colour.GetG(), colour.GetB()});
    }
  }
  return image;
}

TEST(ScreenshotTest, TheClientAreaShowsWhatTheWindowPainted) {
  PaintedWindow window(WS_POPUP, 40, 40);
  const RgbImage image = CaptureClientArea(window.Get());
  ASSERT_EQ(image.Width(), kWidth);
  ASSERT_EQ(image.Height(), kHeight);
  ExpectKnownPicture(image, 0, 0);
}

TEST(ScreenshotTest, AWindowCoveredByAnotherIsCapturedAsItPainted) {
  PaintedWindow window(WS_POPUP, 200, 40);
  PaintedWindow cover(WS_POPUP, 230, 60, true);  // on top, over most of the first
  SetWindowPos(cover.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PumpMessages(100);
  ExpectKnownPicture(CaptureClientArea(window.Get()), 0, 0);
  EXPECT_EQ(CaptureClientArea(cover.Get()).CountPixels(kBlack), static_cast<std::size_t>(kWidth * kHeight));
}

TEST(ScreenshotTest, TheWholeWindowHoldsTheClientAreaAtItsOffset) {
  PaintedWindow window(WS_OVERLAPPEDWINDOW, 360, 40);
  RECT frame = {};
  GetWindowRect(window.Get(), &frame);
  POINT client = {0, 0};
  ClientToScreen(window.Get(), &client);
  const RgbImage image = CaptureWindow(window.Get());
  ASSERT_EQ(image.Width(), frame.right - frame.left);
  ASSERT_EQ(image.Height(), frame.bottom - frame.top);
  ASSERT_GT(client.y - frame.top, 0);  // there is a caption above the client area
  ExpectKnownPicture(image, client.x - frame.left, client.y - frame.top);
}

TEST(ScreenshotTest, ThePngFileDecodesToTheCapturedPixels) {
  GdiPlus gdiPlus;
  ASSERT_TRUE(gdiPlus.Ok());
  TempFolder folder;
  PaintedWindow window(WS_OVERLAPPEDWINDOW, 40, 200);
  const std::string path = folder.Path("window.png");
  ASSERT_TRUE(CaptureWindowToPng(window.Get(), path));
  const RgbImage captured = CaptureWindow(window.Get());
  const RgbImage decoded = DecodeWithGdiPlus(path);
  ASSERT_EQ(decoded.Width(), captured.Width());
  ASSERT_EQ(decoded.Height(), captured.Height());
  EXPECT_TRUE(decoded.Bytes() == captured.Bytes());
  POINT client = {0, 0};
  ClientToScreen(window.Get(), &client);
  RECT frame = {};
  GetWindowRect(window.Get(), &frame);
  ExpectKnownPicture(decoded, client.x - frame.left, client.y - frame.top);
}

TEST(ScreenshotTest, StandardCaptionButtonsShowTheirGlyphs) {
  // The system draws the minimise, maximise and close buttons as the characters "0", "1" and "r"
  // of the Marlett font; the rig's prefix must have that font, or the letters themselves show.
  HDC screen = GetDC(nullptr);
  LOGFONTA symbols = {};
  symbols.lfHeight = -16;
  symbols.lfCharSet = SYMBOL_CHARSET;
  lstrcpyA(symbols.lfFaceName, "Marlett");
  fw::Font font(CreateFontIndirectA(&symbols));
  char face[LF_FACESIZE] = {};
  {
    fw::ScopedSelect select(screen, font);
    GetTextFaceA(screen, sizeof face, face);
  }
  ReleaseDC(nullptr, screen);
  EXPECT_STREQ(face, "Marlett");

  RECT frame = {0, 0, 240, 60};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExA(0, "STATIC", "标题按钮", WS_OVERLAPPEDWINDOW, 40, 320, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  PumpMessages(200);
  EXPECT_TRUE(CaptureWindowToPng(window, ScreenshotPath("rig_caption_buttons")));
  DestroyWindow(window);
}

TEST(ScreenshotTest, NothingIsCapturedOrWrittenForAWindowThatIsGone) {
  TempFolder folder;
  HWND gone = nullptr;
  {
    PaintedWindow window(WS_POPUP, 40, 40);
    gone = window.Get();
  }
  EXPECT_TRUE(CaptureClientArea(gone).Empty());
  EXPECT_TRUE(CaptureWindow(nullptr).Empty());
  EXPECT_FALSE(CaptureWindowToPng(gone, folder.Path("gone.png")));
  EXPECT_FALSE(FileExists(folder.Path("gone.png")));
}

}  // namespace
}  // namespace winkit
