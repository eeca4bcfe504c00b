// The skin elements of every skinned window of the client, per skin layout (1, 2 or 3), as
// data, and the routine that fills a window's SkinElementSet from them. The caller then lays
// the set out with the window's client size.
#pragma once

#include <string>
#include <vector>

#include "client/ui/skin/skin_element_set.h"

namespace mb::skin {

enum class SkinWindow {
  kMainWindow,
  kLoginDialog,
  kWallpaperManagerPage,
  kThumbnailPanel,
  kThumbnailPreviewList,
  kSettingsDialog,
  kTrayMenu,
  kFloatWindow,
  kPopupWindow,
  kUploadPage,
};

// Every window, for walks over all tables.
const std::vector<SkinWindow>& AllSkinWindows();
const char* SkinWindowName(SkinWindow window);

enum class SkinElementKind { kButton, kPushButton, kText, kTabBar };

struct SkinTabSpec {
  int id = 0;
  std::string label;
};

struct SkinElementSpec {
  SkinElementKind kind = SkinElementKind::kText;
  int id = 0;
  Rect rect;                        // stored rectangle, before the anchor rule
  std::array<std::string, 4> images;  // button: normal, focus, down, disable; tab bar: normal, hot, selected, selected-hot
  std::string text;
  bool visible = true;
  bool enabled = true;
  // Text elements.
  Colour colour = 0xFFFFFF;
  std::string icon;
  bool iconOnRight = false;
  bool underlineWhenHot = false;
  // Tab bars.
  bool leftAligned = false;
  int margin = 30;
  int gap = 2;
  std::vector<SkinTabSpec> tabs;
};

// The run-time state that chooses texts of the tray menu when its elements are built.
struct SkinLayoutState {
  bool floatWindowShown = false;
  bool loggedIn = false;
};

// The elements of a window in a layout (1 to 3); empty where the window has none.
std::vector<SkinElementSpec> SkinLayoutElements(SkinWindow window, int layout, const SkinLayoutState& state = {});

// Adds the elements of a window in a layout to its set (whose owner is already set).
void AddSkinLayoutElements(SkinElementSet& set, SkinWindow window, int layout, const SkinLayoutState& state = {});

// Builds one element from its description.
std::unique_ptr<SkinElement> MakeSkinElement(const SkinElementSpec& spec);

}  // namespace mb::skin
