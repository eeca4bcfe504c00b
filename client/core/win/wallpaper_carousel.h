// WallpaperCarousel: moves through the member's wallpaper list on a timer and has the player
// thread put each picture on the desktop. It runs on the thread of the window that carries its
// timer (the tray frame, or any window of a test host): that window forwards WM_TIMER with
// kCarouselTimerId to OnCarouselTimer. The player thread it owns is the only place where the
// desktop wallpaper is set.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client/core/hover_notice.h"
#include "client/core/usage_list.h"
#include "client/core/wallpaper_player_step.h"

namespace mb {

class ClientConfig;
class WallpaperPlayer;
class PlayerStepper;

// Thread messages of the player thread.
constexpr UINT WM_PLAYER_NEXT = 0x8000;   // show the current picture when it or the advert changed
constexpr UINT WM_PLAYER_CLEAR = 0x8001;  // clear the desktop picture

// The carousel's timer on its host window.
constexpr UINT_PTR kCarouselTimerId = 1;

// What the carousel asks of the client around it. The defaults stand while there are no adverts
// and no page-view reports: no advert, the plain picture, the region told to the hover helper.
class CarouselHooks {
 public:
  virtual ~CarouselHooks() = default;
  // Player thread: the advert scheduled for this minute of the local day (hour x 60 + minute).
  virtual AdvertChoice FindAdvert(int minuteOfDay);
  // Player thread: the advert painted onto the picture at (left, top); the file to apply.
  virtual std::string ComposeAdvert(const std::string& picturePath, const std::string& advertPath,
                                    int left, int top);
  // Player thread: the advert's link region for the hover helper (empty text: no region).
  virtual void ShowAdvertLink(const std::string& text, const HoverRegion& region);
  // Carousel's thread: a step has written the page and sent the picture to the player.
  virtual void OnWallpaperStepped() {}
};

class WallpaperCarousel {
 public:
  // timerWindow carries timer 1 and must live as long as the carousel; config supplies the
  // period ([min], [sec]), the wallpaper list with its index and the page's path. hooks may be
  // null (the defaults above).
  WallpaperCarousel(HWND timerWindow, ClientConfig& config,
                    std::shared_ptr<CarouselHooks> hooks = nullptr);
  // Stops the timer and the player thread (bounded wait).
  ~WallpaperCarousel();
  WallpaperCarousel(const WallpaperCarousel&) = delete;
  WallpaperCarousel& operator=(const WallpaperCarousel&) = delete;

  // Kills the timer, starts the player thread when there is none; with a period above 0 sets
  // the index, arms the timer and, when stepNow, shows that picture at once. With a period of 0
  // or less nothing else happens.
  void StartCarousel(int index, bool stepNow);
  // With a player thread: the timer again with the period now configured (off when it is 0 or
  // less). The index stays.
  void RestartCarouselTimer();
  // Kills the timer and clears the desktop picture.
  void StopCarousel();
  // Moves the index by step (+1, -1, or 0 to show again) with one wrap, rewrites the page and,
  // when that worked, sends the picture to the player. Nothing without a player thread or with
  // an empty list.
  void StepWallpaper(int step);
  // Timer 1 of the host window.
  void OnCarouselTimer() { StepWallpaper(+1); }
  // Writes wallpaper.html for the current picture; false when the file cannot be written, the
  // list is empty or the index is out of range.
  bool WriteWallpaperPage();

  // Starts the player thread and returns once it takes messages; true when it runs.
  bool StartPlayerThread();
  // Asks the player thread to end and waits up to waitMs; true when it ended (or never ran).
  bool StopPlayerThread(DWORD waitMs = kPlayerStopWaitMs);
  bool HasPlayerThread() const;
  DWORD PlayerThreadId() const;
  // Timer 3 of the host: the player looks again (applies only when the picture or advert changed).
  void PostPlayerNext();
  // One player step on this thread with nothing applied: at start it records what is on the
  // desktop, so the first look of the player applies nothing when nothing changed.
  void PrimePlayer();

  // File-name part of the advert now shown; empty when none is.
  std::string CurrentAdvertName() const;
  // Display time of pictures and adverts, for the usage report.
  UsageList& Usage();
  // The same list, kept alive for a thread that may outlive the carousel.
  std::shared_ptr<UsageList> SharedUsage();

  static constexpr DWORD kPlayerStopWaitMs = 10000;

 private:
  int PeriodSeconds() const;
  void ArmTimer();
  void KillTimer();

  HWND timerWindow_;
  ClientConfig& config_;
  std::shared_ptr<PlayerStepper> stepper_;
  std::unique_ptr<WallpaperPlayer> player_;
};

}  // namespace mb
