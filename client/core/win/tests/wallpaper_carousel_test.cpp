#include "client/core/win/wallpaper_carousel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "client/core/client_config.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kHostClass[] = "MuralboxCarouselTestHost";

// A hidden window that carries the carousel's timer, as the tray frame does.
class TimerHost {
 public:
  TimerHost() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TimerHost::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kHostClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TimerHost() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }
  WallpaperCarousel* carousel = nullptr;

  // At most one step outstanding: a tick that comes before the test has seen the last step's
  // picture is let pass, so a player slowed by load never has two steps queued, and each picture
  // stays at least until the next tick after it was seen.
  void HoldTicks() { held_ = true; }
  void StepSeen() { held_ = false; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<TimerHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_TIMER && wParam == kCarouselTimerId && host && host->carousel) {
      if (!host->held_) host->Deliver();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  void Deliver() {
    held_ = true;
    if (carousel) carousel->OnCarouselTimer();
  }
  HWND window_ = nullptr;
  bool held_ = false;
};

// Records what the carousel tells the client, and keeps the hover program out of the test.
class RecordingHooks : public CarouselHooks {
 public:
  void ShowAdvertLink(const std::string&, const HoverRegion&) override { ++linkNotices; }
  void OnWallpaperStepped() override { ++steps; }
  std::atomic<int> linkNotices{0};  // told on the player thread
  int steps = 0;
};

std::string DesktopWallpaper() {
  char path[MAX_PATH] = {};
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return path;
}

// A 2 x 2 picture of one colour.
bool WriteBitmap(const std::string& path, unsigned char shade) {
  std::string bytes(70, '\0');
  auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, 70, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, 2, 4);
  put(22, 2, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (std::size_t i = 54; i < 70; ++i) bytes[i] = static_cast<char>(shade);
  return winkit::WriteTextFile(path, bytes);
}

// Pumps the host's messages until the desktop wallpaper is no longer `from`; the new one.
std::string WaitForWallpaperChange(const std::string& from, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  std::string now = DesktopWallpaper();
  while (now == from && GetTickCount() - start < timeoutMs) {
    winkit::PumpMessages(50);
    now = DesktopWallpaper();
  }
  return now;
}

TEST(WallpaperCarousel, ShowsThePicturesInTurnWrapsAndRewritesThePageEachStep) {
  winkit::TempFolder folder;
  ClientConfig config({folder.Root(), "http://127.0.0.1:9"});
  ASSERT_TRUE(winkit::MakeFolders(config.downloadPath + "cat"));
  std::vector<std::string> pictures;
  for (int i = 0; i < 3; ++i) {
    pictures.push_back(config.downloadPath + "cat\\p" + std::to_string(i) + ".bmp");
    ASSERT_TRUE(WriteBitmap(pictures.back(), static_cast<unsigned char>(60 * i)));
  }
  config.wallpapers.SetPaths(pictures);
  config.minutes = 0;
  config.seconds = 2;

  TimerHost host;
  auto hooks = std::make_shared<RecordingHooks>();
  WallpaperCarousel carousel(host.Handle(), config, hooks);
  host.carousel = &carousel;
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);

  // At once the first picture, then every two seconds the next, back to the first.
  const DWORD started = GetTickCount();
  host.HoldTicks();  // the start's own step is outstanding
  carousel.StartCarousel(0, true);
  ASSERT_NE(carousel.PlayerThreadId(), 0u);
  std::string shown;
  DWORD periods = 0;
  const std::vector<int> order = {0, 1, 2, 0};
  for (std::size_t step = 0; step < order.size(); ++step) {
    const int expected = order[step];
    shown = WaitForWallpaperChange(shown, 15000);
    ASSERT_EQ(shown, pictures[expected]);
    // The timer may come late under load, never early.
    EXPECT_GE(GetTickCount() - started, periods++ * 1800u) << "changed before the period ran out";
    EXPECT_NE(winkit::ReadTextFile(config.wallpaperPagePath)
                  .find("src='.\\cat\\p" + std::to_string(expected) + ".bmp'"),
              std::string::npos);
    if (step + 1 < order.size()) host.StepSeen();  // after the last, further ticks stay back
  }
  EXPECT_EQ(config.wallpapers.CurrentIndex(), 0);
  EXPECT_GE(hooks->steps, 4);
  EXPECT_GE(hooks->linkNotices, 4);  // no advert: the hover region is cleared

  // Display time was counted for each picture that left the desktop.
  const std::vector<UsageItem> usage = carousel.Usage().Items();
  ASSERT_GE(usage.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(usage[i].text, "p" + std::to_string(i) + ".bmp");
    EXPECT_GE(usage[i].seconds, 1);
  }

  // A period of 0 turns the timer off; stepping back from the first wraps to the last.
  config.seconds = 0;
  carousel.RestartCarouselTimer();
  carousel.StepWallpaper(-1);
  EXPECT_EQ(WaitForWallpaperChange(shown, 10000), pictures[2]);
  // A carousel started with a period of 0 leaves the index and shows nothing.
  carousel.StartCarousel(1, true);
  EXPECT_EQ(config.wallpapers.CurrentIndex(), 2);

  // Nothing changed: the player's look applies nothing, so a wallpaper set meanwhile stays.
  const std::string elsewhere = folder.Path("elsewhere.bmp");
  ASSERT_TRUE(WriteBitmap(elsewhere, 200));
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(elsewhere.c_str()), SPIF_UPDATEINIFILE);
  carousel.PostPlayerNext();
  ASSERT_TRUE(carousel.StopPlayerThread(10000));  // the thread works through its queue first
  EXPECT_EQ(DesktopWallpaper(), elsewhere);
  EXPECT_EQ(carousel.PlayerThreadId(), 0u);

  // Stopping the carousel clears the desktop picture.
  ASSERT_TRUE(carousel.StartPlayerThread());
  carousel.StopCarousel();
  ASSERT_TRUE(carousel.StopPlayerThread(10000));
  EXPECT_EQ(DesktopWallpaper(), "");
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(WallpaperCarousel, StepsNeedAPlayerAndAPictureOnDiskAndNeverMoveWithoutShowing) {
  winkit::TempFolder folder;
  ClientConfig config({folder.Root(), "http://127.0.0.1:9"});
  const std::string present = folder.Path("present.bmp");
  ASSERT_TRUE(WriteBitmap(present, 90));
  config.wallpapers.SetPaths({present, folder.Path("missing.bmp")});
  config.wallpapers.SetCurrentIndex(1);
  config.minutes = 0;
  config.seconds = 0;
  TimerHost host;
  auto hooks = std::make_shared<RecordingHooks>();
  const std::string downloadFolder = config.downloadPath.substr(0, config.downloadPath.size() - 1);
  ASSERT_FALSE(IsFolder(downloadFolder));
  WallpaperCarousel carousel(host.Handle(), config, hooks);
  EXPECT_TRUE(IsFolder(downloadFolder));  // made at start

  // No player thread yet: no step.
  carousel.StepWallpaper(+1);
  EXPECT_EQ(hooks->steps, 0);
  EXPECT_EQ(config.wallpapers.CurrentIndex(), 1);
  ASSERT_TRUE(carousel.StartPlayerThread());

  // A download folder that cannot be made (a file holds its name): no page, no picture, and the
  // carousel stays on the picture it shows.
  ASSERT_TRUE(RemoveDirectoryA(downloadFolder.c_str()));
  ASSERT_TRUE(winkit::WriteTextFile(downloadFolder, "in the way"));
  carousel.StepWallpaper(+1);
  EXPECT_EQ(hooks->steps, 0);
  EXPECT_EQ(config.wallpapers.CurrentIndex(), 1);

  // Deleted by the member, the folder is made again before the page is written.
  ASSERT_TRUE(DeleteFileA(downloadFolder.c_str()));
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
  carousel.StepWallpaper(+1);
  EXPECT_EQ(WaitForWallpaperChange("", 10000), present);
  EXPECT_EQ(hooks->steps, 1);
  EXPECT_EQ(config.wallpapers.CurrentIndex(), 0);
  // A picture gone from disk clears the desktop picture.
  carousel.StepWallpaper(+1);
  ASSERT_TRUE(carousel.StopPlayerThread(10000));
  EXPECT_EQ(DesktopWallpaper(), "");
  EXPECT_NE(winkit::ReadTextFile(config.wallpaperPagePath).find("src='" + folder.Path("missing.bmp") + "'"), std::string::npos);
}

}  // namespace
}  // namespace mb
