// The wallpaper player's decisions, free of any window system: display-time accounting, whether
// a step applies anything, and the page that shows the current picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "client/core/usage_list.h"

namespace mb {

// One shown item (the picture or the advert): its file-name part, the seconds it stayed until
// the last step and the clock at the last step.
struct ShownItem {
  std::string name;
  std::int32_t secondsSince = 0;
  std::int64_t clock = 0;
};

struct PlayerState {
  ShownItem picture;
  ShownItem advert;
  bool clearPending = true;  // the desktop picture has not been cleared for an empty list yet
};

// The advert scheduled for the current minute; an empty picture path when none is.
struct AdvertChoice {
  std::string picturePath;
  std::string hoverText;
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct PlayerStepDecision {
  bool skip = false;              // apply nothing
  bool postClear = false;         // the list is empty: clear the desktop picture (once)
  bool clearHoverRegion = false;  // no advert now: the hover helper's region goes
  std::string picturePath;        // the picture chosen (not yet checked on disk)
  AdvertChoice advert;            // the advert to paint onto it, when its path is not empty
};

// One step of the player at clock now: counts the display time of the picture and the advert
// shown until now into usage, then decides from the list's current picture (nothing when the
// list is empty) and the advert of the minute what is to be shown, and updates state.
PlayerStepDecision DecidePlayerStep(PlayerState& state, UsageList& usage,
                                    const std::optional<std::string>& currentPicture,
                                    const AdvertChoice& advert, std::int64_t now);

// The page file that shows picturePath full-size on black. A picture inside downloadFolder is
// addressed relative to the page (which lives there too).
std::string FormatWallpaperPage(std::string_view picturePath, std::string_view downloadFolder);

}  // namespace mb
