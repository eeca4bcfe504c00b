#include "client/core/win/wallpaper_carousel.h"

#include <atomic>
#include <mutex>

#include "client/core/client_config.h"
#include "client/core/win/hover_helper.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/wallpaper_player.h"
#include "common/atomic_file.h"

namespace mb {

AdvertChoice CarouselHooks::FindAdvert(int) { return {}; }

std::string CarouselHooks::ComposeAdvert(const std::string& picturePath, const std::string&, int, int) {
  return picturePath;
}

void CarouselHooks::ShowAdvertLink(const std::string& text, const HoverRegion& region) {
  NotifyHoverHelper(text, region);
}

// The player's side of the carousel: what is on the desktop, the display time counted, and the
// choice of the next file. Shared by the carousel and its player thread, so that a player thread
// that outlives a stop never reaches freed state.
class PlayerStepper {
 public:
  PlayerStepper(WallpaperList& list, std::shared_ptr<CarouselHooks> hooks)
      : list_(list), hooks_(std::move(hooks)) {}

  // The file the player is to show; skip set when nothing is to be applied.
  std::string Step(bool& skip);

  void SetPlayerThreadId(DWORD id) { playerThreadId_ = id; }
  std::string CurrentAdvertName() const {
    std::lock_guard<std::mutex> lock(stateMutex_);
    return state_.advert.name;
  }
  UsageList& Usage() { return usage_; }
  CarouselHooks& Hooks() { return *hooks_; }

 private:
  WallpaperList& list_;
  std::shared_ptr<CarouselHooks> hooks_;
  std::atomic<DWORD> playerThreadId_{0};
  mutable std::mutex stateMutex_;
  PlayerState state_;
  UsageList usage_;
};

std::string PlayerStepper::Step(bool& skip) {
  skip = false;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::int64_t clock = GetUnixTime();

  std::optional<std::string> picture;
  AdvertChoice advert;
  if (std::optional<WallpaperEntry> entry = list_.NormalizedCurrent()) {
    picture = entry->path;
    advert = hooks_->FindAdvert(now.wHour * 60 + now.wMinute);
  }
  PlayerStepDecision decision;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    decision = DecidePlayerStep(state_, usage_, picture, advert, clock);
  }
  if (decision.postClear && playerThreadId_ != 0) {
    fw::PostThreadMessageUntilAccepted(playerThreadId_, WM_PLAYER_CLEAR, 0, 0);
  }
  if (decision.clearHoverRegion) hooks_->ShowAdvertLink(std::string(), HoverRegion{});
  if (decision.skip) {
    skip = true;
    return std::string();
  }
  if (!FileExists(decision.picturePath)) return std::string();  // the player clears the picture

  const AdvertChoice& chosen = decision.advert;
  if (chosen.picturePath.empty() || !FileExists(chosen.picturePath)) return decision.picturePath;
  // Negative edges count from the right and bottom of the maximised window.
  const int width = GetSystemMetrics(SM_CXMAXIMIZED);
  const int height = GetSystemMetrics(SM_CYMAXIMIZED);
  HoverRegion region{chosen.left < 0 ? chosen.left + width : chosen.left,
                     chosen.top < 0 ? chosen.top + height : chosen.top,
                     chosen.right < 0 ? chosen.right + width : chosen.right,
                     chosen.bottom < 0 ? chosen.bottom + height : chosen.bottom};
  std::string path = hooks_->ComposeAdvert(decision.picturePath, chosen.picturePath, region.left, region.top);
  if (!chosen.hoverText.empty()) hooks_->ShowAdvertLink(chosen.hoverText, region);
  return path;
}

WallpaperCarousel::WallpaperCarousel(HWND timerWindow, ClientConfig& config,
                                     std::shared_ptr<CarouselHooks> hooks)
    : timerWindow_(timerWindow),
      config_(config),
      stepper_(std::make_shared<PlayerStepper>(config.wallpapers,
                                               hooks ? std::move(hooks) : std::make_shared<CarouselHooks>())) {
  // The page lives in the download folder, which a member may have deleted.
  CreateDirectoryPath(config_.downloadPath);
}

WallpaperCarousel::~WallpaperCarousel() {
  KillTimer();
  StopPlayerThread();
}

int WallpaperCarousel::PeriodSeconds() const {
  const long long period = static_cast<long long>(config_.minutes) * 60 + config_.seconds;
  // Beyond this a timer of milliseconds cannot be set; such a period is as good as never.
  const long long longest = USER_TIMER_MAXIMUM / 1000;
  return static_cast<int>(period > longest ? longest : period);
}

void WallpaperCarousel::ArmTimer() {
  SetTimer(timerWindow_, kCarouselTimerId, static_cast<UINT>(PeriodSeconds()) * 1000u, nullptr);
}

void WallpaperCarousel::KillTimer() { ::KillTimer(timerWindow_, kCarouselTimerId); }

void WallpaperCarousel::StartCarousel(int index, bool stepNow) {
  KillTimer();
  if (!HasPlayerThread()) StartPlayerThread();
  if (PeriodSeconds() <= 0) return;
  config_.wallpapers.SetCurrentIndex(index);
  ArmTimer();
  if (stepNow) StepWallpaper(0);
}

void WallpaperCarousel::RestartCarouselTimer() {
  if (!HasPlayerThread()) return;
  KillTimer();
  if (PeriodSeconds() > 0) ArmTimer();
}

void WallpaperCarousel::StopCarousel() {
  KillTimer();
  if (player_) player_->PostToThread(WM_PLAYER_CLEAR);
}

void WallpaperCarousel::StepWallpaper(int step) {
  if (PlayerThreadId() == 0) return;
  const int shown = config_.wallpapers.CurrentIndex();
  if (!config_.wallpapers.Step(step)) return;
  if (!WriteWallpaperPage()) {
    // Nothing is applied, so the carousel stays on the picture that is shown.
    config_.wallpapers.SetCurrentIndex(shown);
    return;
  }
  player_->PostToThread(WM_PLAYER_NEXT);
  stepper_->Hooks().OnWallpaperStepped();
}

bool WallpaperCarousel::WriteWallpaperPage() {
  const std::optional<WallpaperEntry> entry = config_.wallpapers.Current();
  if (!entry) return false;
  CreateDirectoryPath(config_.downloadPath);
  return WriteFileReplacing(config_.wallpaperPagePath, FormatWallpaperPage(entry->path, config_.downloadPath));
}

bool WallpaperCarousel::StartPlayerThread() {
  if (player_) return true;
  std::shared_ptr<PlayerStepper> stepper = stepper_;
  player_ = std::make_unique<WallpaperPlayer>([stepper](bool& skip) { return stepper->Step(skip); });
  const bool started = player_->StartThread();
  if (!started && !player_->IsRunning()) {
    player_.reset();
    return false;
  }
  stepper_->SetPlayerThreadId(player_->ThreadId());
  return true;
}

bool WallpaperCarousel::StopPlayerThread(DWORD waitMs) {
  if (!player_) return true;
  stepper_->SetPlayerThreadId(0);
  if (!player_->Stop(waitMs)) {
    // A player stuck in the shell is left to the end of the process rather than freed under it;
    // the state it uses is shared with it and stays alive with it.
    player_.release();
    return false;
  }
  player_.reset();
  return true;
}

bool WallpaperCarousel::HasPlayerThread() const { return player_ != nullptr; }

DWORD WallpaperCarousel::PlayerThreadId() const { return player_ ? player_->ThreadId() : 0; }

void WallpaperCarousel::PostPlayerNext() {
  if (player_) player_->PostToThread(WM_PLAYER_NEXT);
}

void WallpaperCarousel::PrimePlayer() {
  bool skip = false;
  stepper_->Step(skip);
}

std::string WallpaperCarousel::CurrentAdvertName() const { return stepper_->CurrentAdvertName(); }

UsageList& WallpaperCarousel::Usage() { return stepper_->Usage(); }

std::shared_ptr<UsageList> WallpaperCarousel::SharedUsage() {
  return std::shared_ptr<UsageList>(stepper_, &stepper_->Usage());
}

}  // namespace mb
