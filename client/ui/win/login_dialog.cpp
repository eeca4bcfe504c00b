#include "client/ui/win/login_dialog.h"


#include <windowsx.h>

#include "client/core/client_config.h"
#include "client/core/login_exchange.h"
#include "client/core/password_cipher.h"
#include "client/core/win/client_windows.h"
#include "client/core/win/login_reply_reader.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/startup.h"
#include "client/core/win/top_list_fetch.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/download/win/download_category_dialog.h"
#include "client/ui/skin/win/skin_backdrop.h"
#include "client/ui/win/main_window.h"
#include "common/gbk_text.h"
#include "framework/gdi.h"

namespace mb {
namespace {

const char kTitle[] = "用户登陆";
const char kEmptyFields[] = "用户名和密码不能为空!";
const char kEmptyFieldsTitle[] = "提示";
const char kWrongPassword[] = "用户名,密码错误";
const char kServerTimeout[] = "登陆服务器超时,请检测是否联网或服务器是否开通";
const char kBackgroundImage[] = "login_dlg";

constexpr UINT_PTR kAutoLoginTimer = 0;
constexpr UINT kAutoLoginTimerMs = 600;
constexpr int kSkinClose = 20006;
constexpr int kSkinMinimise = 20007;
constexpr std::size_t kPasswordLimit = 255;
// Copied command lines are handled once the sender's WM_COPYDATA has returned.
constexpr UINT WM_HAND_OVER_LINKS = WM_APP + 0x106;

LoginDialog* current = nullptr;

struct Placement {
  int id;
  int x, y, width, height;  // width and height 0: keep the control's size
};

// Control places per skin layout (1 to 3).
const Placement kPlacements[3][11] = {
    {{1020, 56, 64, 0, 0}, {1021, 56, 86, 0, 0}, {1000, 96, 60, 89, 20}, {1001, 96, 82, 89, 20},
     {1002, 97, 121, 0, 0}, {1003, 200, 121, 0, 0}, {1022, 0, 0, 0, 0}, {1023, 0, 0, 0, 0},
     {1, 192, 60, 52, 18}, {3, 245, 60, 52, 18}, {4, 192, 82, 106, 18}},
    {{1020, 100, 76, 0, 0}, {1021, 212, 76, 0, 0}, {1000, 135, 73, 66, 20}, {1001, 248, 73, 52, 20},
     {1002, 114, 98, 0, 0}, {1003, 224, 98, 0, 0}, {1022, 0, 0, 0, 0}, {1023, 0, 0, 0, 0},
     {1, 250, 135, 52, 18}, {3, 192, 135, 52, 18}, {4, 126, 135, 60, 18}},
    {{1020, 40, 84, 0, 0}, {1021, 162, 84, 0, 0}, {1000, 75, 81, 76, 20}, {1001, 198, 81, 60, 20},
     {1002, 54, 110, 0, 0}, {1003, 176, 110, 0, 0}, {1022, 70, 112, 0, 0}, {1023, 192, 112, 0, 0},
     {1, 213, 139, 55, 18}, {3, 150, 139, 55, 18}, {4, 82, 139, 60, 18}},
};

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(std::strlen(text.c_str()));
  return text;
}

ClientConfig& Config() { return *GetClientConfig(); }

}  // namespace

LoginDialog* CurrentLoginDialog() { return current; }

LoginDialog::LoginDialog() : Dialog(IDD_LOGIN_DIALOG), skin_(GetClientConfig()->skinLayout) {
  Handle(WM_INITDIALOG, &LoginDialog::OnInitDialog);
  Handle(WM_LOGIN_REPLY, &LoginDialog::OnLoginReply);
  Handle(WM_LOGIN_FAILED, &LoginDialog::OnLoginFailed);
  Handle(WM_COPYDATA, &LoginDialog::OnCopyData);
  Handle(WM_HAND_OVER_LINKS, &LoginDialog::OnHandOverLinks);
  Handle(WM_TIMER, &LoginDialog::OnTimer);
  Handle(WM_MOUSEMOVE, &LoginDialog::OnMouse);
  Handle(WM_LBUTTONDOWN, &LoginDialog::OnMouse);
  Handle(WM_LBUTTONUP, &LoginDialog::OnMouse);
  Handle(WM_ERASEBKGND, &LoginDialog::OnEraseBackground);
  Handle(WM_CTLCOLORSTATIC, &LoginDialog::OnControlColour);
  Handle(WM_WINDOWPOSCHANGING, &LoginDialog::OnWindowPosChanging);
  Handle(WM_DESTROY, &LoginDialog::OnDestroy);
  Command(IDOK, &LoginDialog::OnOK);
  Command(IDCANCEL, &LoginDialog::OnCancel);
  Command(kSkinClose, &LoginDialog::OnSkinClose);
  Command(kSkinMinimise, &LoginDialog::OnSkinMinimise);
  Command(IDC_LOGIN_REGISTER, &LoginDialog::OnRegister);
  Command(IDC_LOGIN_LOST_PASSWORD, &LoginDialog::OnLostPassword);
  Command(IDC_LOGIN_ACCOUNT, CBN_SELCHANGE, &LoginDialog::OnAccountSelected);
  Command(IDC_LOGIN_ACCOUNT, CBN_EDITCHANGE, &LoginDialog::OnAccountEdited);
  Command(IDC_LOGIN_PASSWORD, EN_CHANGE, &LoginDialog::OnPasswordChanged);
}

LoginDialog::~LoginDialog() {
  request_.Cancel();
  if (current == this) current = nullptr;
}

INT_PTR LoginDialog::Run(HWND owner) {
  current = this;
  const INT_PTR result = DoModal(owner);
  current = nullptr;
  return result;
}

LRESULT LoginDialog::OnInitDialog(const fw::Message&) {
  const HWND dialog = Handle();
  ClientConfig& config = Config();
  SetPropA(dialog, kLoginWindowProperty, reinterpret_cast<HANDLE>(1));
  RemoveSkinFromDialog(dialog);
  const auto icon = reinterpret_cast<LPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN)));
  SendMessageA(dialog, WM_SETICON, ICON_BIG, icon);
  SetWindowTextA(dialog, kTitle);
  ApplySkin();

  if (!config.mainWindowShown) ShowWindow(dialog, SW_HIDE);
  autoStart_ = config.autoLogin;
  Button_SetCheck(Item(IDC_LOGIN_AUTO), autoStart_ ? BST_CHECKED : BST_UNCHECKED);
  Button_SetCheck(Item(IDC_LOGIN_REMEMBER), config.savePassword ? BST_CHECKED : BST_UNCHECKED);
  RECT window = {};
  GetWindowRect(dialog, &window);
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FillAccounts();

  if (autoStart_ && !password_.empty() && !config.user.empty()) {
    SetTimer(dialog, kAutoLoginTimer, kAutoLoginTimerMs, nullptr);
    autoLoginPending_ = 1;
    if (!config.mainWindowShown) {
      keepHidden_ = true;
      ShowWindow(dialog, SW_HIDE);
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
  }
  return TRUE;
}

void LoginDialog::ApplySkin() {
  const HWND dialog = Handle();
  const int layout = Config().skinLayout;
  {
    SkinSchemeRef scheme;
    RECT image = {};
    if (scheme && SUCCEEDED(scheme->GetImageRect(&image, kBackgroundImage)) && image.right > 0) {
      SetWindowPos(dialog, nullptr, 0, 0, image.right, image.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (HRGN region = scheme->GetImageRegion(kBackgroundImage)) SetWindowRgn(dialog, region, TRUE);
    }
  }
  skin_.Attach(dialog);
  skin_.AddLayoutElements(skin::SkinWindow::kLoginDialog);
  PlaceControls(layout);
}

void LoginDialog::PlaceControls(int layout) {
  if (layout < 1 || layout > 3) return;
  for (const Placement& p : kPlacements[layout - 1]) {
    const HWND control = Item(p.id);
    if (!control) continue;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (p.width == 0) flags |= SWP_NOSIZE;
    SetWindowPos(control, nullptr, p.x, p.y, p.width, p.height, flags);
  }
  const bool labelsApart = layout == 3;
  ShowWindow(Item(IDC_LOGIN_AUTO_LABEL), labelsApart ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_LOGIN_REMEMBER_LABEL), labelsApart ? SW_SHOW : SW_HIDE);
  if (labelsApart) {
    SetItemText(IDC_LOGIN_AUTO, "");
    SetItemText(IDC_LOGIN_REMEMBER, "");
  }
  if (layout != 1) {
    SetItemText(IDOK, "登 陆");
    SetItemText(IDC_LOGIN_REGISTER, "注 册");
  }
}

void LoginDialog::FillAccounts() {
  const HWND combo = Item(IDC_LOGIN_ACCOUNT);
  const ClientConfig& config = Config();
  if (!config.user.empty()) ComboBox_AddString(combo, config.user.c_str());
  for (const SavedAccount& account : config.accounts) {
    if (account.user != config.user) ComboBox_AddString(combo, account.user.c_str());
  }
  // The first account is selected and loaded; with none, the boxes keep their settings.
  if (ComboBox_GetCount(combo) > 0) {
    ComboBox_SetCurSel(combo, 0);
    LoadAccount(SelectedAccount());
  }
}

void LoginDialog::LoadAccount(const std::string& name) {
  password_.clear();
  for (const SavedAccount& account : Config().accounts) {
    if (account.user == name) {
      if (!account.passwordHex.empty()) password_ = DecryptPasswordHex(account.passwordHex, PasswordStorageKey());
      break;
    }
  }
  if (!password_.empty()) {
    passwordEdited_ = 0;
    SetItemText(IDC_LOGIN_PASSWORD, std::string(std::min(password_.size(), kPasswordLimit), '*').c_str());
  } else {
    SetItemText(IDC_LOGIN_PASSWORD, "");
  }
}

std::string LoginDialog::SelectedAccount() const {
  const HWND combo = Item(IDC_LOGIN_ACCOUNT);
  const int selected = ComboBox_GetCurSel(combo);
  if (selected < 0) return {};
  const int length = ComboBox_GetLBTextLen(combo, selected);
  std::string name(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  ComboBox_GetLBText(combo, selected, &name[0]);
  name.resize(std::strlen(name.c_str()));
  return name;
}

void LoginDialog::OnAccountSelected() {
  if (ComboBox_GetCurSel(Item(IDC_LOGIN_ACCOUNT)) < 0) {
    SetItemText(IDC_LOGIN_PASSWORD, "");
    Button_SetCheck(Item(IDC_LOGIN_AUTO), BST_UNCHECKED);
    Button_SetCheck(Item(IDC_LOGIN_REMEMBER), BST_UNCHECKED);
    return;
  }
  LoadAccount(SelectedAccount());
}

void LoginDialog::OnAccountEdited() { LoadAccount(AccountText()); }

void LoginDialog::OnPasswordChanged() {
  if (passwordEdited_ == 0) {
    passwordEdited_ = 1;  // the stars the dialog itself just put there
    return;
  }
  const std::string text = WindowText(Item(IDC_LOGIN_PASSWORD));
  password_ = text.substr(0, GbkCutLength(text, kPasswordLimit));
}

std::string LoginDialog::AccountText() const { return WindowText(Item(IDC_LOGIN_ACCOUNT)); }

void LoginDialog::OnOK() {
  ClientConfig& config = Config();
  if (requestInFlight_) return;
  config.loggedIn = 0;
  const std::string account(TrimBlanks(AccountText()));
  const std::string shown(TrimBlanks(WindowText(Item(IDC_LOGIN_PASSWORD))));
  if (account.empty() || shown.empty()) {
    MessageBoxA(Handle(), kEmptyFields, kEmptyFieldsTitle, MB_ICONINFORMATION);
    return;
  }
  account_ = account;
  config.user = account;
  requestInFlight_ = 1;
  EnableWindow(Item(IDOK), FALSE);
  config.loginRunning = 1;
  CreateTrayFrame();
  ShowWindow(Handle(), SW_HIDE);

  if (!SendLoginRequest()) {
    // Nothing of the exchange will follow: the dialog comes back as after a failed request.
    requestInFlight_ = 0;
    ExchangeEnded();
    MessageBoxA(nullptr, kServerTimeout, kMessageBoxCaption, MB_OK);
    return;
  }
  config.SetSharedText(&ClientConfig::sessionUser, account);
  if (HWND menu = static_cast<HWND>(config.trayMenuWindow)) SendMessageA(menu, WM_LOGIN_STATE_CHANGED, 0, 0);
  FetchTopList();
}

bool LoginDialog::SendLoginRequest() {
  const ClientConfig& config = Config();
  const std::string url = LoginRequestUrl(config.SharedText(&ClientConfig::homeAddress), account_, password_,
                                          config.clientVersion, config.confVersion);
  return request_.Send(Handle(), url);
}

LRESULT LoginDialog::OnLoginReply(const fw::Message&) {
  if (!requestInFlight_) return 0;  // a reply to a request that was cancelled
  requestInFlight_ = 0;
  const ServiceReply reply = request_.ReadReply();
  ClientConfig& config = Config();
  if (reply.ok() && ParseLoginReply(reply.text)) {
    SaveAccountAfterLogin();
    loggedIn_ = true;
    config.loggedIn = 1;
    config.loginRunning = 0;
    Sleep(100);
    RestoreTrayIconAfterLogin();
    EndDialog(IDOK);
    return 0;
  }
  MessageBoxA(nullptr, kWrongPassword, kMessageBoxCaption, MB_OK);
  ExchangeEnded();
  return 0;
}

LRESULT LoginDialog::OnLoginFailed(const fw::Message&) {
  if (!requestInFlight_) return 0;
  requestInFlight_ = 0;
  request_.Cancel();
  MessageBoxA(nullptr, kServerTimeout, kMessageBoxCaption, MB_OK);
  Config().user.clear();
  ExchangeEnded();
  return 0;
}

void LoginDialog::ExchangeEnded() {
  EnableWindow(Item(IDOK), TRUE);
  Config().loginRunning = 0;
  ShowAgain();
}

void LoginDialog::ShowAgain() {
  keepHidden_ = false;
  autoLoginPending_ = 0;
  ShowWindow(Handle(), SW_SHOW);
}

void LoginDialog::HideForExit() {
  keepHidden_ = true;
  ShowWindow(Handle(), SW_HIDE);
}

void LoginDialog::SaveAccountAfterLogin() {
  ClientConfig& config = Config();
  const bool remember = Button_GetCheck(Item(IDC_LOGIN_REMEMBER)) == BST_CHECKED;
  const std::string stored = remember ? EncryptPasswordHex(password_, PasswordStorageKey()) : std::string();
  config.user = account_;
  config.SaveAccount(account_, stored, 1, remember ? 1 : 0);
  config.autoLogin = Button_GetCheck(Item(IDC_LOGIN_AUTO)) == BST_CHECKED ? 1 : 0;
  config.savePassword = remember ? 1 : 0;
  config.SaveClientConfig();
}

void LoginDialog::AbortRequest() {
  if (!requestInFlight_) return;
  requestInFlight_ = 0;
  request_.Cancel();
  EnableWindow(Item(IDOK), TRUE);
  Config().loginRunning = 0;
}

void LoginDialog::OnCancel() {
  if (requestInFlight_) {
    AbortRequest();
    ShowAgain();
    return;
  }
  EndDialog(IDCANCEL);
}

void LoginDialog::OnSkinClose() {
  AbortRequest();
  EndDialog(IDCANCEL);
}

void LoginDialog::OnSkinMinimise() { ShowWindow(Handle(), SW_MINIMIZE); }

void LoginDialog::OnRegister() { OpenUrlInBrowser(Config().SharedText(&ClientConfig::homeAddress) + "/register.html"); }

void LoginDialog::OnLostPassword() {
  OpenUrlInBrowser(Config().SharedText(&ClientConfig::homeAddress) + "/forgetpass.html");
}

LRESULT LoginDialog::OnTimer(const fw::Message& m) {
  if (m.wParam != kAutoLoginTimer) return 0;
  if (autoLoginPending_ && !Config().mainWindowShown) {
    ShowWindow(Handle(), SW_HIDE);
    KillTimer(Handle(), kAutoLoginTimer);
  }
  return 0;
}

LRESULT LoginDialog::OnCopyData(const fw::Message& m) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.lParam);
  if (!data || data->dwData != kCommandLineCopyData) return FALSE;
  handedOver_.push_back(MainWindow::CopyDataText(data));
  Post(WM_HAND_OVER_LINKS);
  return TRUE;
}

LRESULT LoginDialog::OnHandOverLinks(const fw::Message&) {
  bool linkTaken = false;
  while (!handedOver_.empty()) {
    const std::string text = std::move(handedOver_.front());
    handedOver_.pop_front();
    if (requestInFlight_) {
      ParseCommandLine(text, PendingLinks());  // the main window runs it once the exchange is over
      continue;
    }
    if (!IsProductLink(text)) continue;
    MainWindow* main = CurrentMainWindow();
    HandleWallpaperLink(text, main ? main->ManagerLink() : nullptr, MainWindowHandle());
    linkTaken = true;
  }
  if (linkTaken && IsWindow()) EndDialog(IDOK);
  return 0;
}

LRESULT LoginDialog::OnMouse(const fw::Message& m) {
  const int hot = skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  if (m.id == WM_LBUTTONDOWN && hot < 0) {
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
  }
  return 0;
}

LRESULT LoginDialog::OnEraseBackground(const fw::Message& m) {
  SkinSchemeRef scheme;
  if (!scheme) return CallDefault(m);
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  scheme->DrawImage(dc, kBackgroundImage, 0, 0, 0, 0, SRCCOPY);
  skin_.Draw(dc);
  return 1;
}

LRESULT LoginDialog::OnControlColour(const fw::Message& m) {
  const HWND control = reinterpret_cast<HWND>(m.lParam);
  if (control != Item(IDC_LOGIN_AUTO) && control != Item(IDC_LOGIN_REMEMBER)) return CallDefault(m);
  // The check boxes stand on the skin: its picture shows behind their boxes and labels.
  return skin::SkinBackedControlColour(reinterpret_cast<HDC>(m.wParam), control, kBackgroundImage, RGB(0, 0, 0));
}

LRESULT LoginDialog::OnWindowPosChanging(const fw::Message& m) {
  // The dialog manager shows a modal dialog once it is idle; an automatic login keeps it unseen.
  auto* position = reinterpret_cast<WINDOWPOS*>(m.lParam);
  if (keepHidden_ && position) position->flags &= ~SWP_SHOWWINDOW;
  return CallDefault(m);
}

LRESULT LoginDialog::OnDestroy(const fw::Message&) {
  RemovePropA(Handle(), kLoginWindowProperty);
  return 0;
}

}  // namespace mb
