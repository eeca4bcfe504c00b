// SettingsDialog: the main window's parameters page. It edits the carousel interval and the
// switches for desktop icons, automatic login, start with Windows and closing notices by
// themselves, applies them at once and saves conf.dat. Skin 1 spreads its controls over three
// vertical tabs; skins 2 and 3 show them side by side.
#pragma once

#include <windows.h>

#include "client/core/carousel_times.h"
#include "client/ui/settings/win/carousel_box.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/dialog.h"

namespace mb {

class SettingsDialog : public fw::Dialog {
 public:
  SettingsDialog();
  ~SettingsDialog() override;

  // The controls from the configuration; a start-with-Windows shortcut found in a Startup
  // folder counts as the switch being on.
  void LoadControls();
  // The minutes and seconds boxes alone from the configuration.
  void ReloadCarouselBoxes();
  // Stores the checked times and the switches, applies them (carousel timer, desktop icons,
  // notices, shortcut) and saves conf.dat; false when conf.dat could not be written.
  bool Apply(const CarouselTimes& times);

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnCommandMessage(const fw::Message& m);
  void Save();
  void ShowTab(int tab);
  void PlaceControls();
  void FillAboutTexts();

  int layout_;
  skin::SkinElementHost skin_;
  CarouselBox minutes_;
  CarouselBox seconds_;
};

// The settings page of the process, when it exists, reloads its carousel boxes.
void ReloadSettingsCarouselBoxes();

}  // namespace mb
