// The settings page's arrangement in each skin layout: which controls each vertical tab shows,
// where the controls sit, and the pressed areas of skin 3's background buttons.
#pragma once

#include <vector>

#include "client/ui/skin/skin_element_set.h"

namespace mb::settings {

enum SettingsControl : int {
  kOk = 1,
  kCancel = 2,
  kApply = 3,
  kMinutesBox = 1016,
  kSecondsBox = 1026,
  kHideIconsBox = 1027,
  kIntervalLabel = 1028,
  kMinutesLabel = 1029,
  kSecondsLabel = 1030,
  kAutoLoginBox = 1031,
  kStartWithWindowsBox = 1032,
  kCloseNoticesBox = 1033,
  kProductText = 1034,
  kVersionText = 1035,
  kDateText = 1036,
};

enum SettingsTab : int {
  kWallpaperTab = 20200,
  kSystemTab = 20201,
  kAboutTab = 20202,
};

// Skin 3's background buttons and the elements that stand for them.
enum SettingsSkinCommand : int {
  kSkinOk = 20027,
  kSkinCancel = 20028,
  kSkinApply = 20030,
};

bool IsSettingsTab(int id);
// The controls a tab shows (none for other ids).
const std::vector<int>& SettingsTabControls(int tab);

// Marks tab as the selected one of the element set: its button drawn "vertab_selected" in every
// state and not pressable; the other tabs in the "vertab" family and pressable.
void MarkSettingsTab(skin::SkinElementSet& elements, int tab);

struct ControlPlace {
  int id;
  int x, y, width, height;
};

// Where each control goes in the layout.
std::vector<ControlPlace> SettingsControlPlaces(int layout);

// Skin 3: the command of the background button under the point (kOk, kCancel, kApply), or 0.
int SkinThreeButtonAt(int x, int y);

}  // namespace mb::settings
