// The picture preview and the picture view under Wine: three pictures step every two seconds and
// wrap round, one picture stays, the view stretches a picture over itself and stays white for a
// file that does not decode or that declares a size past the image layer's limits.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "client/ui/preview/win/picture_preview_dialog.h"
#include "client/ui/win/small_window_calls.h"
#include "framework/module.h"
#include "image/picture.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const winkit::Rgb kWhite{255, 255, 255};
const winkit::Rgb kRed{255, 0, 0};
const winkit::Rgb kGreen{0, 255, 0};
const winkit::Rgb kBlue{0, 0, 255};

std::string SavePicture(const winkit::TempFolder& folder, const std::string& name, Rgba colour, int width = 64,
                        int height = 48) {
  Picture picture;
  picture.Create(width, height, colour);
  const std::string path = folder.Path(name);
  EXPECT_TRUE(picture.Save(path, PictureFormat::kBmp));
  return path;
}

// A bitmap file whose header asks for 20000 x 20000 pixels and holds none.
std::string SaveHugeHeader(const winkit::TempFolder& folder) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits;
  info.biSize = sizeof(info);
  info.biWidth = 20000;
  info.biHeight = 20000;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const std::string bytes = std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
                            std::string(reinterpret_cast<const char*>(&info), sizeof(info));
  const std::string path = folder.Path("huge.bmp");
  winkit::WriteTextFile(path, bytes);
  return path;
}

winkit::Rgb CentreOf(HWND view) {
  const winkit::RgbImage shot = winkit::CaptureClientArea(view);
  return shot.Pixel(shot.Width() / 2, shot.Height() / 2);
}

// What the preview dialog's view showed while it ran: each new centre colour with the time it
// appeared (ms after the dialog came up). Sampled from a thread timer of the dialog's own loop.
struct PreviewWatch {
  struct Change {
    winkit::Rgb colour;
    DWORD atMs;
  };
  std::vector<Change> changes;
  SIZE frame{};
  DWORD started = 0;
  DWORD runMs = 0;
  std::string screenshot;
};
PreviewWatch* watching = nullptr;

std::ostream& operator<<(std::ostream& out, const PreviewWatch& w) {
  for (const PreviewWatch::Change& c : w.changes) out << c.colour << " at " << c.atMs << " ms; ";
  return out;
}

void CALLBACK SamplePreview(HWND, UINT, UINT_PTR, DWORD) {
  PreviewWatch& w = *watching;
  // The preview of this thread: tests of other processes show theirs on the same desktop.
  HWND dialog = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        char title[32] = {};
        GetWindowTextA(window, title, sizeof(title));
        if (std::string(title) != "壁纸预览" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  const HWND view = dialog ? GetDlgItem(dialog, PicturePreviewDialog::kViewId) : nullptr;
  if (!view) return;
  if (w.started == 0) {
    w.started = GetTickCount();
    RECT frame{};
    GetWindowRect(dialog, &frame);
    w.frame = {frame.right - frame.left, frame.bottom - frame.top};
    if (!w.screenshot.empty()) winkit::CaptureWindowToPng(dialog, winkit::ScreenshotPath(w.screenshot));
  }
  const DWORD now = GetTickCount() - w.started;
  const winkit::Rgb centre = CentreOf(view);
  if (w.changes.empty() || w.changes.back().colour != centre) w.changes.push_back({centre, now});
  if (now >= w.runMs) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

PreviewWatch RunPreview(const std::vector<std::string>& paths, DWORD runMs, const std::string& screenshot = "") {
  PreviewWatch watch;
  watch.runMs = runMs;
  watch.screenshot = screenshot;
  watching = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, SamplePreview);
  ShowPicturePreview(paths);
  KillTimer(nullptr, timer);
  watching = nullptr;
  return watch;
}

TEST(PicturePreviewTest, ThreePicturesStepEveryTwoSecondsAndWrap) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  winkit::TempFolder folder;
  const std::vector<std::string> paths{SavePicture(folder, "red.bmp", {255, 0, 0, 255}),
                                       SavePicture(folder, "green.bmp", {0, 255, 0, 255}),
                                       SavePicture(folder, "blue.bmp", {0, 0, 255, 255})};
  const PreviewWatch watch = RunPreview(paths, 7000, "preview_dialog");
  EXPECT_EQ(watch.frame.cx, 370);
  EXPECT_EQ(watch.frame.cy, 280);
  ASSERT_EQ(watch.changes.size(), 4u) << watch;
  const winkit::Rgb expected[] = {kRed, kGreen, kBlue, kRed};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(watch.changes[i].colour, expected[i]) << "step " << i;
    if (i > 0) {
      EXPECT_NEAR(static_cast<double>(watch.changes[i].atMs), 2000.0 * i, 700.0) << "step " << i;
    }
  }
}

TEST(PicturePreviewTest, OnePictureStaysAndUnreadableFilesShowWhite) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  winkit::TempFolder folder;
  const std::string green = SavePicture(folder, "green.bmp", {0, 255, 0, 255});
  const PreviewWatch one = RunPreview({green}, 2600);
  ASSERT_EQ(one.changes.size(), 1u) << one;
  EXPECT_EQ(one.changes[0].colour, kGreen);

  const std::string broken = folder.Path("broken.jpg");
  winkit::WriteTextFile(broken, "this is no picture at all");
  const PreviewWatch undecodable = RunPreview({broken, SaveHugeHeader(folder)}, 2600);
  ASSERT_EQ(undecodable.changes.size(), 1u) << undecodable;
  EXPECT_EQ(undecodable.changes[0].colour, kWhite);

  // The view as a page makes it: white, a wide picture stretched over its shape, white again.
  HWND page = CreateWindowExA(0, "STATIC", "page", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND view = CreatePictureView(page, RECT{10, 10, 110, 110}, 77);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(GetDlgCtrlID(view), 77);
  EXPECT_EQ(CentreOf(view), kWhite);
  Picture wide;
  wide.Create(200, 20, {255, 0, 0, 255});
  for (int y = 0; y < 20; ++y)
    for (int x = 100; x < 200; ++x) wide.SetPixelColor(x, y, {0, 0, 255, 255});
  ASSERT_TRUE(wide.Save(folder.Path("wide.png"), PictureFormat::kPng));
  LoadPictureView(view, folder.Path("wide.png"));
  const winkit::RgbImage stretched = winkit::CaptureClientArea(view);
  EXPECT_EQ(stretched.Pixel(20, 90), kRed);
  EXPECT_EQ(stretched.Pixel(80, 5), kBlue);
  LoadPictureView(view, broken);
  EXPECT_EQ(CentreOf(view), kWhite);
  DestroyWindow(page);
  EXPECT_FALSE(IsWindow(view));
}

}  // namespace
}  // namespace mb
