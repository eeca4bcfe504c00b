// CZELDialogHeader: the band across the top of the settings dialog: a bitmap background and one
// transparent line that says what the chosen page is for.
#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "uibase/win/zel_dialog.h"

class CZELDialogHeader : public CZELDialog {
 public:
  static constexpr int kHeight = 60;

  CZELDialogHeader();
  // The label is transparent: the band under it is drawn again before the new text, so that the
  // old text does not stay under the new one.
  void SetDescription(const char* text);

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  LRESULT OnPaintBand(const fw::Message& message);

  fw::Bitmap background_;
};
