// CarouselTimeDialog: the wallpaper manager's small modal dialog for the carousel interval and
// the hide-desktop-icons switch. Only a zero interval is refused here; OK and Apply store,
// apply and save, Cancel leaves what an earlier Apply stored.
#pragma once

#include <windows.h>

#include "client/ui/settings/win/carousel_box.h"
#include "framework/dialog.h"

namespace mb {

class CarouselTimeDialog : public fw::Dialog {
 public:
  CarouselTimeDialog();

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  void OnOK();
  void OnApply();
  void OnCancel();
  // Checks the boxes, stores and applies them and says so; false when refused.
  bool StoreAndApply();

  CarouselBox minutes_;
  CarouselBox seconds_;
  bool skinned_ = false;  // the background is the skin's: texts drawn over it
};

}  // namespace mb
