// The About dialog: the service's home page as a link on a pale yellow page.
#pragma once

#include "framework/dialog.h"
#include "uibase/win/pp_html_static.h"
#include "uibase/win/xp_button.h"

class CAboutDlg : public fw::Dialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override;

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnCtlColor(const fw::Message& m);

  CXPButton ok_;
  CPPHtmlStatic link_;
  HBRUSH background_;
};
