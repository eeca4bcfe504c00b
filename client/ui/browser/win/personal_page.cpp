#include "client/ui/browser/win/personal_page.h"

#include "client/core/client_config.h"
#include "client/core/download_request.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/ui/browser/win/script_bridge.h"

namespace mb {

namespace {

const char kWaitingAnimation[] = "waitting.gif";
const RECT kAnimationRect{9, 4, 505, 213};
const POINT kSkinnedAnimationPlace{306, 114};

int SkinLayout() {
  const ClientConfig* config = GetClientConfig();
  return config ? config->skinLayout : 1;
}

}  // namespace

PersonalPage::PersonalPage(UINT templateId) : Dialog(templateId) {
  Handle(WM_INITDIALOG, &PersonalPage::OnInitDialog);
  Handle(WM_ERASEBKGND, &PersonalPage::OnEraseBackground);
  Handle(WM_SIZE, &PersonalPage::OnSize);
  Handle(WM_DESTROY, &PersonalPage::OnDestroy);
  Handle(WM_DOWNLOAD_REQUEST, &PersonalPage::OnDownloadRequest);
  Command(IDOK, &PersonalPage::Ignore);
  Command(IDCANCEL, &PersonalPage::Ignore);
}

PersonalPage::~PersonalPage() {
  if (IsWindow()) Destroy();
  if (bridge_) bridge_->Release();
}

LRESULT PersonalPage::OnInitDialog(const fw::Message&) {
  const HWND page = Handle();
  RemoveSkinFromDialog(page);

  animation_.Create(page, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, &kAnimationRect);
  animation_.LoadFromFile(GetModuleDirectory() + kWaitingAnimation);
  animation_.SetBackgroundColor(RGB(255, 197, 27));
  PlaceAnimation(SkinLayout());
  browser_.AttachAnimation(&animation_);

  RECT client{};
  GetClientRect(page, &client);
  if (browser_.Create(page, client, "about:blank", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL)) {
    browser_.SetupControl();
    bridge_ = ScriptBridge::Create();
    if (bridge_) {
      bridge_->SetOwner(browser_.Handle());
      browser_.SetExternalDispatch(bridge_);
    }
  }
  browser_.NavigateWithAnimation(pageUrl_);
  return TRUE;
}

void PersonalPage::PlaceAnimation(int skinLayout) {
  RECT picture{};
  GetWindowRect(animation_.Handle(), &picture);
  POINT at = kSkinnedAnimationPlace;
  if (skinLayout == 1) {
    RECT client{};
    GetClientRect(Handle(), &client);
    at = {(client.right - (picture.right - picture.left)) / 2, (client.bottom - (picture.bottom - picture.top)) / 2};
  }
  SetWindowPos(animation_.Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PersonalPage::NavigateAgain() { browser_.NavigateWithAnimation(pageUrl_); }

LRESULT PersonalPage::OnEraseBackground(const fw::Message& m) {
  SkinSchemeRef scheme;
  if (scheme) {
    const char* image = SkinLayout() == 3 ? "confdlg_bk" : "dlg_bk";
    scheme->DrawImage(reinterpret_cast<HDC>(m.wParam), image, 0, 0, 0, 0, SRCCOPY);
  }
  return 1;
}

LRESULT PersonalPage::OnSize(const fw::Message& m) {
  if (!browser_.IsWindow()) return 0;
  const int width = LOWORD(m.lParam);
  const int height = HIWORD(m.lParam);
  // The page is placed after it was made: the browser follows it in every layout (skin 3 leaves
  // two pixels at the top), and in the first layout the animation stays centred.
  const int layout = SkinLayout();
  MoveWindow(browser_.Handle(), 0, layout == 3 ? 2 : 0, width, height, TRUE);
  if (layout == 1) PlaceAnimation(layout);
  return 0;
}

LRESULT PersonalPage::OnDestroy(const fw::Message&) {
  browser_.SetExternalDispatch(nullptr);
  if (bridge_) {
    bridge_->SetOwner(nullptr);
    bridge_->Release();
    bridge_ = nullptr;
  }
  browser_.Destroy();
  animation_.Unload();
  return 0;
}

LRESULT PersonalPage::OnDownloadRequest(const fw::Message& m) {
  // This page downloads nothing; the request it was handed is its own to free.
  delete reinterpret_cast<DownloadRequest*>(m.wParam);
  return 0;
}

}  // namespace mb
