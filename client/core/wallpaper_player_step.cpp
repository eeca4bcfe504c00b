#include "client/core/wallpaper_player_step.h"

#include <limits>

#include "client/core/path_text.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

// Seconds between two clock values as the usage list counts them: a clock set back counts
// nothing, and a gap beyond the counter's range counts its largest value.
std::int32_t ElapsedSeconds(std::int64_t from, std::int64_t to) {
  if (to <= from) return 0;
  const std::int64_t elapsed = to - from;
  const std::int64_t most = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(elapsed > most ? most : elapsed);
}

// Brings item's timing up to now and counts the time it stayed into usage.
void AccountShownItem(ShownItem& item, UsageList& usage, std::int64_t now) {
  if (item.name.empty()) {
    item.secondsSince = 0;
    item.clock = now;
    return;
  }
  item.secondsSince = ElapsedSeconds(item.clock, now);
  item.clock = now;
  usage.AddDisplayTime(item.name, item.secondsSince, item.clock);
}

// The picture's address as the page refers to it: relative to the page inside the download
// folder, the full path otherwise; quote and ampersand written as references so that no file
// name can end the attribute.
std::string PageAddress(std::string_view picturePath, std::string_view downloadFolder) {
  std::string address;
  if (!downloadFolder.empty() && picturePath.size() > downloadFolder.size() &&
      GbkStartsWithNoCase(picturePath, downloadFolder)) {
    address = ".\\" + std::string(picturePath.substr(downloadFolder.size()));
  } else {
    address = std::string(picturePath);
  }
  address = GbkReplaceAll(address, "&", "&amp;");
  return GbkReplaceAll(address, "'", "&#39;");
}

}  // namespace

PlayerStepDecision DecidePlayerStep(PlayerState& state, UsageList& usage,
                                    const std::optional<std::string>& currentPicture,
                                    const AdvertChoice& advert, std::int64_t now) {
  PlayerStepDecision decision;
  AccountShownItem(state.picture, usage, now);
  AccountShownItem(state.advert, usage, now);

  if (!currentPicture) {
    if (state.clearPending || !state.picture.name.empty()) {
      state.clearPending = false;
      decision.postClear = true;
    }
    state.picture.name.clear();
    decision.skip = true;
    return decision;
  }

  std::string pictureName = GetFileNamePart(*currentPicture);
  const bool samePicture = pictureName == state.picture.name;
  state.picture.name = std::move(pictureName);

  std::string advertName = GetFileNamePart(advert.picturePath);
  const bool sameAdvert = advertName == state.advert.name;
  if (advert.picturePath.empty()) {
    state.advert.name.clear();
    decision.clearHoverRegion = true;
  } else {
    state.advert.name = std::move(advertName);
  }

  if (samePicture && sameAdvert) {
    decision.skip = true;
    return decision;
  }
  decision.picturePath = *currentPicture;
  decision.advert = advert;
  return decision;
}

std::string FormatWallpaperPage(std::string_view picturePath, std::string_view downloadFolder) {
  std::string page;
  page += "<html>\n";
  page += "\t<head>\n";
  page += "\t\t<title></title>\n";
  page += "\t\t<meta name=\"GENERATOR\" content=\"Muralbox\">\n";
  page += "\t\t<meta name=\"vs_targetSchema\" content=\"HTML 4.0\">\n";
  page += "\t</head>\n";
  page +=
      "\t<body bgproperties='fixed' bgColor='black' bottomMargin='0' leftMargin='0' topMargin='0' "
      "rightMargin='0'  >\n";
  page += "\t\t<IMG alt='' src='" + PageAddress(picturePath, downloadFolder) +
          "' width='100%' height='100%' border='0'>\n";
  page += "\t</body>\n";
  page += "</html>\n";
  return page;
}

}  // namespace mb
