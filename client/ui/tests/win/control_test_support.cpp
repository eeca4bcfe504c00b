#include "client/ui/tests/win/control_test_support.h"

#include <tlhelp32.h>

#include <vector>

#include "client/core/win/skin_engine.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace mb::uitest {

CurrentSkin::CurrentSkin(int layout) : skin_(layout) { LoadSkinLibrary(); }

CurrentSkin::~CurrentSkin() { FreeSkinLibrary(); }

winkit::RgbImage SaveScreenshot(HWND window, const std::string& name) {
  return winkit::SaveClientScreenshot(window, name);
}

int PixelsDifferingFromImage(const winkit::RgbImage& shot, const skintest::InstalledSkin& skin,
                             const std::string& image, int x, int y, const std::string& background,
                             const RECT* part) {
  const skinfile::SkinImage* spec = skin.Catalog().Find(image);
  if (!spec) return -1;
  const RECT whole = {0, 0, spec->rect.width, spec->rect.height};
  RECT area = whole;
  if (part) IntersectRect(&area, part, &whole);
  int differing = 0;
  for (int row = area.top; row < area.bottom; ++row) {
    for (int col = area.left; col < area.right; ++col) {
      std::optional<skinfile::Rgb> expected = skin.ImagePixel(image, col, row);
      if (!expected) expected = skin.ImagePixel(background, x + col, y + row);
      if (!expected) continue;  // outside the window's shape as well
      if (shot.Pixel(x + col, y + row) != ToWinkit(*expected)) ++differing;
    }
  }
  return differing;
}

int CountPixels(const winkit::RgbImage& shot, int left, int top, int right, int bottom,
                const std::function<bool(const winkit::Rgb&)>& test) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += test(shot.Pixel(x, y)) ? 1 : 0;
  }
  return count;
}

int ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

std::size_t GdiObjectsInUse() {
  if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
  // Where the system does not count them (Wine), the process's GDI handle table is filled with
  // probe objects: whatever the probes cannot take is in use.
  constexpr std::size_t kTableSlots = 65536;
  std::vector<HBRUSH> probes;
  probes.reserve(kTableSlots);
  while (probes.size() < kTableSlots) {
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    if (!probe) break;
    probes.push_back(probe);
  }
  for (HBRUSH probe : probes) DeleteObject(probe);
  return kTableSlots - probes.size();
}

bool WaitUntil(const std::function<bool()>& test, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (test()) return true;
    if (GetTickCount() - start >= timeoutMs) return test();
    winkit::PumpMessages(10);
  }
}

}  // namespace mb::uitest
