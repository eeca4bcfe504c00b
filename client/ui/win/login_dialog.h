// LoginDialog: the modal login of the client, shown at start and from the tray. Its OK button
// sends the asynchronous login request; the reply decides whether it ends as logged in. With
// automatic login the request goes out at once and the dialog is never seen. A second start's
// link goes to the link handler at once and ends the dialog, or waits in the pending queue while
// a request is in flight.
#pragma once

#include <deque>
#include <string>

#include "client/core/win/async_service_request.h"
#include "client/ui/res/resource.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/dialog.h"

namespace mb {

class LoginDialog : public fw::Dialog {
 public:
  LoginDialog();
  ~LoginDialog() override;

  // Runs the dialog modal; IDOK when a member logged in or a link was handed over. The dialog
  // is the process's current one (CurrentLoginDialog) while it runs.
  INT_PTR Run(HWND owner);

  // Sends the login request for the account with the stored password; true when it went out.
  bool SendLoginRequest();

  // Hides the dialog and keeps it hidden until it shows itself again.
  void HideForExit();

  // True when the dialog ended because the service accepted the login.
  bool LoggedIn() const { return loggedIn_; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnLoginReply(const fw::Message& m);
  LRESULT OnLoginFailed(const fw::Message& m);
  LRESULT OnCopyData(const fw::Message& m);
  LRESULT OnHandOverLinks(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  LRESULT OnWindowPosChanging(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  void OnOK();
  void OnCancel();
  void OnSkinClose();
  void OnSkinMinimise();
  void OnRegister();
  void OnLostPassword();
  void OnAccountSelected();
  void OnAccountEdited();
  void OnPasswordChanged();

  void ApplySkin();
  void PlaceControls(int layout);
  void FillAccounts();
  void LoadAccount(const std::string& name);
  void SaveAccountAfterLogin();
  void ExchangeEnded();
  void ShowAgain();
  void AbortRequest();
  std::string AccountText() const;
  std::string SelectedAccount() const;

  skin::SkinElementHost skin_;
  AsyncServiceRequest request_;
  std::string account_;
  std::string password_;
  int passwordEdited_ = 1;
  int requestInFlight_ = 0;
  int autoLoginPending_ = 0;
  int autoStart_ = 0;
  bool keepHidden_ = false;  // automatic login before the main window: never shown
  bool loggedIn_ = false;
  std::deque<std::string> handedOver_;  // command lines copied out of WM_COPYDATA
};

// The dialog that runs now, or null.
LoginDialog* CurrentLoginDialog();

}  // namespace mb
