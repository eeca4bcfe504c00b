#include "editor/win/show_pane_strip.h"

#include <utility>

#include "editor/win/editor_resource.h"

CShowPaneDlg2::CShowPaneDlg2(std::function<void()> onShowPane)
    : CZELDialog(IDD_SHOW_PANE), onShowPane_(std::move(onShowPane)) {
  Handle(WM_INITDIALOG, &CShowPaneDlg2::OnInitDialog);
  Command(IDC_SHOW_PANE_BUTTON, BN_CLICKED, &CShowPaneDlg2::OnButton);
}

LRESULT CShowPaneDlg2::OnInitDialog(const fw::Message&) {
  button_.SubclassDlgItem(IDC_SHOW_PANE_BUTTON, Handle());
  button_.SetResourceModule(fw::ThisModule());
  button_.SetSkin(IDB_SHOW_PANE, IDB_SHOW_PANE, IDB_SHOW_PANE, IDB_SHOW_PANE, IDB_SHOW_PANE, 0, 1, 0, 0);
  button_.SetMessage(WM_NULL);  // the click is answered here, not by the view
  button_.SetToolTipText(fw::CString("显示图像信息面板"));
  return TRUE;
}

void CShowPaneDlg2::OnButton() {
  if (onShowPane_) onShowPane_();
}
