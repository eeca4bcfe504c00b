// CShowPaneDlg2: the narrow strip at the picture view's right edge with one button that brings
// the information pane back ("显示图像信息面板").
#pragma once

#include <functional>

#include "uibase/win/skin_button.h"
#include "uibase/win/zel_dialog.h"

class CShowPaneDlg2 : public CZELDialog {
 public:
  // onShowPane runs on a click of the button (the view mediator's reset of the panes).
  explicit CShowPaneDlg2(std::function<void()> onShowPane);
  CxSkinButton& Button() { return button_; }

 private:
  LRESULT OnInitDialog(const fw::Message&);
  void OnButton();

  CxSkinButton button_;
  std::function<void()> onShowPane_;
};
