// Support for the tests of the client's skinned controls: the skin engine of one layout made
// current for the client's calls, screenshots under the build folder, pixel comparisons with
// the skin's images, thread and GDI object counts.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "skin/engine/tests/installed_skin.h"
#include "tests/winkit/rgb_image.h"

namespace mb::uitest {

// A layout's skin engine (0: the engine without skin files), loaded so that the client's
// LoadSkinLibrary and GetCurrentSkinScheme reach it; freed again at the end.
class CurrentSkin {
 public:
  explicit CurrentSkin(int layout);
  ~CurrentSkin();
  CurrentSkin(const CurrentSkin&) = delete;
  CurrentSkin& operator=(const CurrentSkin&) = delete;
  const skintest::InstalledSkin& Files() const { return skin_; }

 private:
  skintest::InstalledSkin skin_;
};

// Writes the client area of the window to <windows build>/screenshots/<name>.png and returns the
// picture.
winkit::RgbImage SaveScreenshot(HWND window, const std::string& name);

inline winkit::Rgb ToWinkit(skinfile::Rgb c) { return {c.r, c.g, c.b}; }

// Pixels of the shot that differ from the named image drawn at (x, y) at its natural size, over
// the image's part `part` (image pixels; null: all of it). Where the image is transparent, the
// window's background image (drawn at (0, 0)) is expected instead.
int PixelsDifferingFromImage(const winkit::RgbImage& shot, const skintest::InstalledSkin& skin,
                             const std::string& image, int x, int y, const std::string& background,
                             const RECT* part = nullptr);

// Pixels in [left, right) x [top, bottom) for which the test holds.
int CountPixels(const winkit::RgbImage& shot, int left, int top, int right, int bottom,
                const std::function<bool(const winkit::Rgb&)>& test);

// Threads of this process.
int ThreadCount();

// GDI objects in use by this process: GetGuiResources where the system counts them, otherwise
// the slots of the process's GDI handle table that probe objects cannot take.
std::size_t GdiObjectsInUse();

// Pumps this thread's messages until the test holds or timeoutMs passed; the test's last value.
bool WaitUntil(const std::function<bool()>& test, DWORD timeoutMs);

}  // namespace mb::uitest
