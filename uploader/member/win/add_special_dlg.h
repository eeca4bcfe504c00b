// CAddSpecialDlg: asks for the name of a new album. OK keeps the dialog open for an empty name
// or one of the member's albums already.
#pragma once

#include <string>

#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CAddSpecialDlg : public CZELDialog {
 public:
  explicit CAddSpecialDlg(HINSTANCE resources = fw::ThisModule());
  // The trimmed name, after IDOK.
  const std::string& Name() const { return name_; }

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  void OnOK();

  CXPButton okButton_;
  CXPButton cancelButton_;
  std::string name_;
};
