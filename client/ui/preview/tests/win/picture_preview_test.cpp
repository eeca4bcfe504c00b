// The picture preview and view under Wine: three pictures step every two seconds and wrap, one
// stays, a wide picture is stretched, and a file that does not decode or declares a size past the
// image layer's limits shows white.
#include <gtest/gtest.h>

#include <windows.h>

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

const winkit::Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

std::string SavePicture(const winkit::TempFolder& folder, const std::string& name, Rgba colour) {
  Picture picture;
  picture.Create(64, 48, colour);
  EXPECT_TRUE(picture.Save(folder.Path(name), PictureFormat::kBmp));
  return folder.Path(name);
}

winkit::Rgb CentreOf(HWND view) {
  const winkit::RgbImage shot = winkit::CaptureClientArea(view);
  return shot.Pixel(shot.Width() / 2, shot.Height() / 2);
}

// Each new colour of the preview's centre with the time it appeared (ms after the first sample),
// sampled by a thread timer inside the dialog's own loop; the run ends after runMs.
struct PreviewWatch {
  std::vector<std::pair<winkit::Rgb, DWORD>> changes;
  SIZE frame{};
  DWORD started = 0, runMs = 0;
  const char* screenshot = nullptr;
};
PreviewWatch* watching = nullptr;

void CALLBACK SamplePreview(HWND, UINT, UINT_PTR, DWORD) {
  PreviewWatch& w = *watching;
  // This process's preview: tests of other processes show theirs on the same desktop.
  const HWND dialog = winkit::WaitForWindow("#32770", "壁纸预览", 0, GetCurrentProcessId());
  const HWND view = dialog && IsWindowVisible(dialog) ? GetDlgItem(dialog, PicturePreviewDialog::kViewId) : nullptr;
  if (!view) return;
  if (w.started == 0) {
    w.started = GetTickCount();
    RECT frame{};
    GetWindowRect(dialog, &frame);
    w.frame = {frame.right - frame.left, frame.bottom - frame.top};
    if (w.screenshot) winkit::CaptureWindowToPng(dialog, winkit::ScreenshotPath(w.screenshot));
  }
  const DWORD now = GetTickCount() - w.started;
  const winkit::Rgb centre = CentreOf(view);
  if (w.changes.empty() || w.changes.back().first != centre) w.changes.push_back({centre, now});
  if (now >= w.runMs) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

PreviewWatch RunPreview(const std::vector<std::string>& paths, DWORD runMs, const char* screenshot = nullptr) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  PreviewWatch watch;
  watch.runMs = runMs;
  watch.screenshot = screenshot;
  watching = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, SamplePreview);
  ShowPicturePreview(paths);
  KillTimer(nullptr, timer);
  return watch;
}

TEST(PicturePreviewTest, ThreePicturesStepEveryTwoSecondsAndWrap) {
  winkit::TempFolder folder;
  const PreviewWatch watch = RunPreview({SavePicture(folder, "r.bmp", {255, 0, 0, 255}),
                                         SavePicture(folder, "g.bmp", {0, 255, 0, 255}),
                                         SavePicture(folder, "b.bmp", {0, 0, 255, 255})},
                                        7000, "preview_dialog");
  EXPECT_EQ(watch.frame.cx, 370);
  EXPECT_EQ(watch.frame.cy, 280);
  ASSERT_EQ(watch.changes.size(), 4u);
  const winkit::Rgb expected[] = {kRed, kGreen, kBlue, kRed};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(watch.changes[i].first, expected[i]) << "step " << i;
    EXPECT_NEAR(watch.changes[i].second, 2000.0 * i, 700.0) << "step " << i;
  }
}

TEST(PicturePreviewTest, OnePictureStaysUnreadableFilesShowWhiteAndPagesViewStretches) {
  winkit::TempFolder folder;
  const PreviewWatch one = RunPreview({SavePicture(folder, "g.bmp", {0, 255, 0, 255})}, 2600);
  ASSERT_EQ(one.changes.size(), 1u);
  EXPECT_EQ(one.changes[0].first, kGreen);

  // Text named as a picture, and a bitmap header asking for 20000 x 20000 pixels without any.
  const std::string broken = folder.Path("broken.jpg"), huge = folder.Path("huge.bmp");
  winkit::WriteTextFile(broken, "this is no picture at all");
  BITMAPINFOHEADER info{sizeof(info), 20000, 20000, 1, 24};
  const BITMAPFILEHEADER file{0x4D42, sizeof(file) + sizeof(info), 0, 0, sizeof(file) + sizeof(info)};
  winkit::WriteTextFile(huge, std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
                                  std::string(reinterpret_cast<const char*>(&info), sizeof(info)));
  const PreviewWatch unreadable = RunPreview({broken, huge}, 2600);
  ASSERT_EQ(unreadable.changes.size(), 1u);
  EXPECT_EQ(unreadable.changes[0].first, kWhite);

  HWND page = CreateWindowExA(0, "STATIC", "page", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND view = CreatePictureView(page, RECT{10, 10, 110, 110}, 77);
  ASSERT_EQ(GetDlgCtrlID(view), 77);
  EXPECT_EQ(CentreOf(view), kWhite);
  Picture wide;  // red left half, blue right half, ten times wider than high
  wide.Create(200, 20, {255, 0, 0, 255});
  for (int x = 100; x < 200; ++x)
    for (int y = 0; y < 20; ++y) wide.SetPixelColor(x, y, {0, 0, 255, 255});
  ASSERT_TRUE(wide.Save(folder.Path("wide.png"), PictureFormat::kPng));
  LoadPictureView(view, folder.Path("wide.png"));
  const winkit::RgbImage stretched = winkit::CaptureClientArea(view);
  EXPECT_EQ(stretched.Pixel(20, 90), kRed);
  EXPECT_EQ(stretched.Pixel(80, 5), kBlue);
  LoadPictureView(view, huge);
  EXPECT_EQ(CentreOf(view), kWhite);
  DestroyWindow(page);
  EXPECT_FALSE(IsWindow(view));
}

}  // namespace
}  // namespace mb
