// The advert downloader's run and the composition of an advert onto a wallpaper.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "client/core/advert_schedule.h"

namespace mb {

struct AdvertCachePlaces {
  std::string listUrl;        // the service's advert list
  std::string programFolder;  // with its trailing separator; the pictures go to its "conf\\"
};

// One run on the calling thread (COM initialised there): fetches the list into a "NEW" file of
// the temporary folder, fetches the pictures that "conf\\" lacks and then replaces the schedule.
// A failed list fetch keeps the old schedule; the list file is deleted on every path. Returns
// early, leaving the schedule alone, once quitting is set. Each download ends after timeLimitMs.
void RunAdvertCache(const AdvertCachePlaces& places, AdvertSchedule& schedule, const std::atomic<int>& quitting,
                    DWORD timeLimitMs = 60000);

// The picture stretched over width x height with the advert at (left, top) in its natural size,
// saved as a BMP at outputPath. False when either picture cannot be read or the file written.
bool ComposeAdvertOverlay(const std::string& picturePath, const std::string& advertPath, int left, int top,
                          int width, int height, const std::string& outputPath);

}  // namespace mb
