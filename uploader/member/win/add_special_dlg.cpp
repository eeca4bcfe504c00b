#include "uploader/member/win/add_special_dlg.h"

#include "conf/win/config.h"
#include "uploader/member/win/dialog_text.h"
#include "uploader/member/win/http_client.h"
#include "uploader/member/win/member_resources.h"

CAddSpecialDlg::CAddSpecialDlg(HINSTANCE resources) : CZELDialog(IDD_ADD_SPECIAL, resources) {
  Handle(WM_INITDIALOG, &CAddSpecialDlg::OnInitDialog);
  Command(IDOK, &CAddSpecialDlg::OnOK);
}

LRESULT CAddSpecialDlg::OnInitDialog(const fw::Message&) {
  okButton_.SubclassDlgItem(IDOK, Handle());
  cancelButton_.SubclassDlgItem(IDCANCEL, Handle());
  SendMessageA(Item(IDC_ADD_SPECIAL_NAME), EM_LIMITTEXT, 100, 0);
  return TRUE;
}

void CAddSpecialDlg::OnOK() {
  name_ = mb::uploader::TrimmedControlText(Item(IDC_ADD_SPECIAL_NAME));
  if (name_.empty()) {
    MessageBoxA(Handle(), "新专辑名称不能为空!", mb::uploader::kSystemMessageTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  if (CConfig::GetConfig()->IsExistsSpecial(name_)) {
    MessageBoxA(Handle(), "该专辑已经存在!", mb::uploader::kSystemMessageTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  EndDialog(IDOK);
}
