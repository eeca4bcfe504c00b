#include "client/core/win/wallpaper_player.h"

#include "client/core/win/wallpaper_carousel.h"

namespace mb {
namespace {

// The Active Desktop object's own road: stretched, then the picture, then everything applied.
bool ApplyThroughActiveDesktop(IActiveDesktop* activeDesktop, const std::string& path) {
  if (!activeDesktop) return false;
  WALLPAPEROPT options = {sizeof(WALLPAPEROPT), WPSTYLE_STRETCH};
  if (FAILED(activeDesktop->SetWallpaperOptions(&options, 0))) return false;
  std::wstring wide;
  // A longer path cannot be handed over whole, and a cut one would name another file.
  if (!CodePageToWide(CP_ACP, path, false, wide) || wide.size() >= MAX_PATH) return false;
  if (FAILED(activeDesktop->SetWallpaper(wide.c_str(), 0))) return false;
  return SUCCEEDED(activeDesktop->ApplyChanges(AD_APPLY_ALL));
}

// The system parameter's road, stretched through the desktop settings it reads.
bool ApplyThroughSystemParameter(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegSetValueExA(key, "WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
    RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegCloseKey(key);
  }
  return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != FALSE;
}

}  // namespace

bool ApplyWallpaper(IActiveDesktop* activeDesktop, const std::string& path) {
  return ApplyThroughActiveDesktop(activeDesktop, path) || ApplyThroughSystemParameter(path);
}

WallpaperPlayer::~WallpaperPlayer() = default;

bool WallpaperPlayer::Stop(DWORD waitMs) {
  if (!IsRunning()) return true;
  PostToThread(WM_QUIT);
  // The player's last change may still be telling every top-level window about the new
  // wallpaper, the caller's windows among them: answer such sent messages while waiting.
  const DWORD start = GetTickCount();
  while (!WaitForEnd(0)) {
    if (GetTickCount() - start >= waitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return true;
}

void WallpaperPlayer::OnStartThread() {
  comReady_ = SUCCEEDED(CoInitialize(nullptr));
  // Without the object (no shell support) every picture goes through the system parameter.
  CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_ALL, IID_IActiveDesktop, activeDesktop_.OutVoid());
}

void WallpaperPlayer::OnThreadMessage(const MSG& message) {
  if (message.message == WM_PLAYER_NEXT) {
    bool skip = false;
    const std::string path = step_(skip);
    if (!skip) ApplyWallpaper(activeDesktop_.Get(), path);
  } else if (message.message == WM_PLAYER_CLEAR) {
    ApplyWallpaper(activeDesktop_.Get(), std::string());
  }
}

void WallpaperPlayer::OnExitThread() {
  activeDesktop_.Reset();
  if (comReady_) CoUninitialize();
  comReady_ = false;
}

}  // namespace mb
