#include "uploader/member/win/login_dlg.h"

#include "conf/win/config.h"
#include "uploader/member/core/member_requests.h"
#include "uploader/member/win/dialog_text.h"
#include "uploader/member/win/http_client.h"
#include "uploader/member/win/member_resources.h"

using mb::uploader::ControlText;
using mb::uploader::IsChecked;
using mb::uploader::TrimmedControlText;

CLoginDlg::CLoginDlg(HINSTANCE resources) : CZELDialog(IDD_LOGIN, resources) {
  Handle(WM_INITDIALOG, &CLoginDlg::OnInitDialog);
  Command(IDOK, &CLoginDlg::OnLogin);
  Command(IDC_LOGIN_USER, CBN_SELCHANGE, &CLoginDlg::OnUserSelected);
  Command(IDC_LOGIN_USER, CBN_EDITCHANGE, &CLoginDlg::OnUserEdited);
}

void CLoginDlg::RunLoginCommand(HWND frame, HINSTANCE resources) {
  CConfig* config = CConfig::GetConfig();
  if (config->GetLogin()) {
    config->SetLogin(0);
    return;
  }
  if (frame) SetForegroundWindow(frame);
  CLoginDlg dialog(resources);
  dialog.DoModal(frame);
}

LRESULT CLoginDlg::OnInitDialog(const fw::Message&) {
  CConfig* config = CConfig::GetConfig();
  loginButton_.SubclassDlgItem(IDOK, Handle());
  cancelButton_.SubclassDlgItem(IDCANCEL, Handle());
  const HWND users = Item(IDC_LOGIN_USER);
  config->AddUserNameToCombo(users);
  mb::uploader::SelectComboText(users, config->GetDefaultUserName());
  password_ = config->GetDefaultPassword();
  SetItemText(IDC_LOGIN_PASSWORD, password_.c_str());
  mb::uploader::SetChecked(Item(IDC_LOGIN_AUTO), config->GetAutoLogin() != 0);
  mb::uploader::SetChecked(Item(IDC_LOGIN_REMEMBER), config->GetRecordPW() != 0);
  // The login runs once the dialog is up, so the member sees what is happening.
  if (IsChecked(Item(IDC_LOGIN_AUTO)) && SendMessageA(users, CB_GETCURSEL, 0, 0) != CB_ERR && !password_.empty()) {
    Post(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
  }
  return TRUE;
}

void CLoginDlg::OnUserSelected() {
  const std::string name = mb::uploader::ComboSelectedText(Item(IDC_LOGIN_USER));
  password_ = CConfig::GetConfig()->GetPassword(name);
  SetItemText(IDC_LOGIN_PASSWORD, password_.c_str());
}

void CLoginDlg::OnUserEdited() {
  const HWND users = Item(IDC_LOGIN_USER);
  const std::string typed = ControlText(users);
  if (typed.empty()) return;
  const LRESULT found = SendMessageA(users, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.c_str()));
  if (found == CB_ERR) return;
  SendMessageA(users, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  SendMessageA(users, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
}

void CLoginDlg::RefuseWith(const char* text) {
  MessageBoxA(Handle(), text, mb::uploader::kSystemMessageTitle, MB_OK | MB_ICONERROR);
  SetFocus(Item(IDC_LOGIN_USER));
}

void CLoginDlg::OnLogin() {
  userName_ = TrimmedControlText(Item(IDC_LOGIN_USER));
  password_ = TrimmedControlText(Item(IDC_LOGIN_PASSWORD));
  if (userName_.empty() || password_.empty()) {
    RefuseWith("用户名和密码不能为空!");
    return;
  }
  EnableWindow(Item(IDOK), FALSE);
  CConfig* config = CConfig::GetConfig();
  const bool remember = IsChecked(Item(IDC_LOGIN_REMEMBER));
  config->SetAutoLogin(IsChecked(Item(IDC_LOGIN_AUTO)) ? 1 : 0);
  config->SetRecordPW(remember ? 1 : 0);

  std::string request;
  std::string header;
  std::string body;
  mb::uploader::HttpClient().PostForm(false, mb::uploader::PassportUrl(mb::uploader::AccountSite(), userName_, password_),
                                      request, header, body);
  switch (mb::uploader::JudgeLoginReply(header, body)) {
    case mb::uploader::LoginVerdict::LoggedIn:
      config->SetLogin(1);
      break;
    case mb::uploader::LoginVerdict::Refused:
      EnableWindow(Item(IDOK), TRUE);
      RefuseWith("用户名或密码错误!");
      return;
    default:
      break;
  }
  config->SetCurrentUserInfo(userName_, remember ? password_ : std::string());
  EndDialog(IDOK);
}
