// WallpaperPlayer: the thread that owns the Active Desktop object and is the only place where
// the desktop wallpaper is set. It takes WM_PLAYER_NEXT (ask the step what to show, then show it)
// and WM_PLAYER_CLEAR (clear the desktop picture).
#pragma once

#include <windows.h>
#include <wininet.h>  // the Active Desktop declarations need it first
#include <shlobj.h>

#include <functional>
#include <string>

#include "common/win/com_ptr.h"
#include "framework/message_thread.h"

namespace mb {

// Sets path as the desktop wallpaper, stretched; an empty path clears the picture. Through the
// Active Desktop object when there is one and it takes the change, otherwise through the system
// parameter. False when neither took it.
bool ApplyWallpaper(IActiveDesktop* activeDesktop, const std::string& path);

class WallpaperPlayer : public fw::MessageThread {
 public:
  // Runs on the player thread for each WM_PLAYER_NEXT: the file to show, or skip set to show
  // nothing.
  using StepFunction = std::function<std::string(bool& skip)>;

  explicit WallpaperPlayer(StepFunction step) : step_(std::move(step)) {}
  ~WallpaperPlayer() override;

  // Posts WM_QUIT and waits up to waitMs; true when the thread has ended.
  bool Stop(DWORD waitMs);

 protected:
  void OnStartThread() override;
  void OnThreadMessage(const MSG& message) override;
  void OnExitThread() override;

 private:
  StepFunction step_;
  bool comReady_ = false;
  ComPtr<IActiveDesktop> activeDesktop_;
};

}  // namespace mb
