// CRotateDlg: the editor's "旋转或翻转图像" dialog. Mirror left to right, turn upside down, or
// rotate by 90, 180 or 270 degrees; the choice code (RotateChoice) is read after IDOK.
#pragma once

#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CRotateDlg : public CZELDialog {
 public:
  CRotateDlg();
  int Choice() const { return choice_; }

 private:
  LRESULT OnInitDialog(const fw::Message&);
  LRESULT OnGroupColour(const fw::Message& message);
  void OnTopChoice();
  void OnByAngle();
  void OnOK();
  void Check(int id, bool checked) const;
  bool IsChecked(int id) const;
  void EnableAngles(bool enable) const;

  CXPButton ok_, cancel_;
  int choice_ = 1;
};
