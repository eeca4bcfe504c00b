#include "client/ui/settings/settings_layout.h"

#include "client/ui/skin/skin_element.h"

namespace mb::settings {

bool IsSettingsTab(int id) { return id == kWallpaperTab || id == kSystemTab || id == kAboutTab; }

const std::vector<int>& SettingsTabControls(int tab) {
  static const std::vector<int> wallpaper = {kIntervalLabel, kMinutesBox,   kMinutesLabel,
                                             kSecondsBox,    kSecondsLabel, kHideIconsBox};
  static const std::vector<int> system = {kAutoLoginBox, kStartWithWindowsBox, kCloseNoticesBox};
  static const std::vector<int> about = {kProductText, kVersionText, kDateText};
  static const std::vector<int> none;
  switch (tab) {
    case kWallpaperTab: return wallpaper;
    case kSystemTab: return system;
    case kAboutTab: return about;
    default: return none;
  }
}

void MarkSettingsTab(skin::SkinElementSet& elements, int tab) {
  for (int id : {kWallpaperTab, kSystemTab, kAboutTab}) {
    auto* button = dynamic_cast<skin::SkinButtonElement*>(elements.GetElement(id));
    if (!button) continue;
    const bool selected = id == tab;
    button->SetImages(selected ? skin::StateImages{"vertab_selected", "vertab_selected", "vertab_selected",
                                                   "vertab_selected"}
                               : skin::StateImages{"vertab_normal", "vertab_focus", "vertab_down", "vertab_normal"});
    button->SetEnabled(!selected);
  }
}

std::vector<ControlPlace> SettingsControlPlaces(int layout) {
  if (layout == 2 || layout == 3) {
    const int left = layout == 3 ? 60 : 40;
    const int right = layout == 3 ? 380 : 376;
    const int shift = layout == 3 ? 4 : 0;  // skin 3 moves the seconds row right
    std::vector<ControlPlace> places = {
        {kAutoLoginBox, left, 70, 80, 18},
        {kStartWithWindowsBox, left, 100, 80, 18},
        {kCloseNoticesBox, left, 130, 120, 16},
        {kIntervalLabel, right, 70, 72, 12},
        {kMinutesBox, right, 100, 30, 18},
        {kMinutesLabel, 410 + shift, layout == 3 ? 100 : 103, 12, 12},
        {kSecondsBox, 435 + shift, 100, 30, 18},
        {kSecondsLabel, 470 + shift, 103, 12, 12},
        {kHideIconsBox, right, 130, 100, 17},
    };
    if (layout == 2) {
      places.push_back({kOk, 460, 246, 60, 18});
      places.push_back({kCancel, 530, 246, 60, 18});
      places.push_back({kApply, 600, 246, 60, 18});
    } else {
      places.push_back({kOk, 444, 251, 60, 18});
      places.push_back({kCancel, 514, 251, 60, 18});
      places.push_back({kApply, 584, 251, 60, 18});
    }
    return places;
  }
  // Skin 1: every group in the panel right of the vertical tabs.
  return {
      {kIntervalLabel, 190, 62, 90, 14},  {kMinutesBox, 190, 84, 40, 18},    {kMinutesLabel, 234, 87, 14, 14},
      {kSecondsBox, 252, 84, 40, 18},     {kSecondsLabel, 296, 87, 14, 14},  {kHideIconsBox, 190, 114, 110, 17},
      {kAutoLoginBox, 190, 62, 90, 18},   {kStartWithWindowsBox, 190, 90, 90, 18},
      {kCloseNoticesBox, 190, 118, 150, 16}, {kProductText, 190, 62, 300, 16}, {kVersionText, 190, 86, 300, 16},
      {kDateText, 190, 110, 300, 16},     {kOk, 202, 244, 43, 18},           {kCancel, 249, 244, 43, 18},
      {kApply, 296, 244, 43, 18},
  };
}

int SkinThreeButtonAt(int x, int y) {
  if (y < 250 || y > 271) return 0;
  if (x >= 413 && x <= 485) return kOk;
  if (x >= 490 && x <= 562) return kCancel;
  if (x >= 567 && x <= 638) return kApply;
  return 0;
}

}  // namespace mb::settings
