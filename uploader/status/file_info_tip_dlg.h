// CFileInfoTipDlg: one line of the information pane: a label filling the window, whose whole text
// is also the tooltip of the whole window, so that a text cut at the pane's edge can be read in
// full by hovering.
#pragma once

#include <windows.h>

#include <string>

#include "framework/tooltip.h"
#include "uibase/win/zel_dialog.h"

class CFileInfoTipDlg : public CZELDialog {
 public:
  CFileInfoTipDlg();
  ~CFileInfoTipDlg() override;

  // Shows text in the label and keeps it as the tooltip.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  const fw::ToolTip& ToolTip() const { return tooltip_; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);

  fw::ToolTip tooltip_;
  std::string text_;
};
