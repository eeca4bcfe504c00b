// CRotateSetDlg: asks whether a batch operation on the list's pictures acts on the ticked ones or
// on the highlighted one, and whether to ask again. OK writes both answers into the settings;
// Cancel changes nothing.
#pragma once

#include "framework/gdi.h"
#include "thumblist/win/thumbrill_api.h"
#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class MB_THUMBRILL_API CRotateSetDlg : public CZELDialog {
 public:
  CRotateSetDlg();

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  void OnOK();
  bool IsChecked(int id) const;

  CXPButton ok_, cancel_;
  fw::Brush faceBrush_;  // this window's, made with it and freed with it
};
