// CLoginDlg: the uploader's login. The member picks or types a user name (completed from the
// remembered users), gives the password, and may have it remembered and the login made at the
// next opening by itself. The result goes into CConfig.
#pragma once

#include <windows.h>

#include <string>

#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CLoginDlg : public CZELDialog {
 public:
  explicit CLoginDlg(HINSTANCE resources = fw::ThisModule());

  const std::string& UserName() const { return userName_; }

  // The frame's login command: a member logged in is logged out (nothing is sent); otherwise
  // the frame is brought forward and the dialog shown. The frame refreshes its menu afterwards.
  static void RunLoginCommand(HWND frame, HINSTANCE resources = fw::ThisModule());

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  void OnLogin();
  void OnUserSelected();
  void OnUserEdited();
  void RefuseWith(const char* text);

  CXPButton loginButton_;
  CXPButton cancelButton_;
  std::string userName_;
  std::string password_;
};
