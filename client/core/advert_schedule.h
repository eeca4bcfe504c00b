// The advert schedule: the service's advert list (one advert a line, its time window of the day,
// its place on the screen and its hover text), the choice of the advert for a minute of the day,
// and the names of the composed wallpaper files.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "client/core/wallpaper_player_step.h"

namespace mb {

struct AdSlot {
  std::int32_t startMinute = 0;  // minutes since local midnight, inclusive
  std::int32_t endMinute = 0;    // inclusive
  std::string pictureUrl;
  std::string pictureName;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // negative: from the right or bottom edge
  std::string localPath;  // program folder + "conf\\" + name + "." + the address's extension
  std::string hoverText;
};

// The extension of the file-name part of an address's path (query and fragment left out), without
// its dot; empty when there is none.
std::string AdvertUrlExtension(std::string_view url);

// The slots of the list text. Lines end at LF (a CR before it is dropped); each is split at every
// ',' with empty fields dropped; a line of fewer than nine fields is skipped, fields after the
// ninth are ignored; numbers are read as atoi reads them. A slot whose name or extension could
// leave the "conf" folder is skipped.
std::vector<AdSlot> ParseAdvertList(std::string_view text, const std::string& programFolder);

// The first slot in list order whose window holds the minute; null when none does.
const AdSlot* FindAdSlot(const std::vector<AdSlot>& slots, int minuteOfDay);

// The slots the player chooses from, replaced as a whole by the advert downloader.
class AdvertSchedule {
 public:
  void Replace(std::vector<AdSlot> slots);
  std::vector<AdSlot> Slots() const;
  // The advert of the minute as the player takes it; an empty path when none.
  AdvertChoice Choose(int minuteOfDay) const;

 private:
  mutable std::mutex lock_;
  std::vector<AdSlot> slots_;
};

// The composed wallpaper's file: "wallpaper\\ads0.bmp" and "wallpaper\\ads1.bmp" in turn, the
// first call giving ads0, so a new composition never overwrites the picture on the desktop.
class OverlayFileNames {
 public:
  std::string Next(const std::string& programFolder);

 private:
  std::atomic<unsigned> count_{0};
};

}  // namespace mb
