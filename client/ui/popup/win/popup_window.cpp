#include "client/ui/popup/win/popup_window.h"

#include "client/core/win/skin_engine.h"

namespace mb {
namespace {

const char kBackgroundImage[] = "popup_bk";

}  // namespace

PopupWindow::PopupWindow(int skinLayout, std::function<void()> onLinkClicked)
    : elements_(skinLayout), onLinkClicked_(std::move(onLinkClicked)) {
  Handle(WM_CREATE, &PopupWindow::OnCreate);
  Handle(WM_SETTEXT, &PopupWindow::OnSetText);
  Handle(WM_ERASEBKGND, &PopupWindow::OnEraseBackground);
  Handle(WM_GETMINMAXINFO, &PopupWindow::OnGetMinMaxInfo);
  Handle(WM_MOUSEMOVE, &PopupWindow::OnMouse);
  Handle(WM_LBUTTONDOWN, &PopupWindow::OnMouse);
  Handle(WM_LBUTTONUP, &PopupWindow::OnMouse);
  Handle(WM_TIMER, &PopupWindow::OnTimer);
  Handle(WM_POPUP_LINK_CLICKED, &PopupWindow::OnLinkClicked);
  Handle(WM_POPUP_DESTROY, &PopupWindow::OnDestroyRequest);
  Handle(WM_CLOSE, &PopupWindow::OnClose);
  Handle(WM_DESTROY, &PopupWindow::OnDestroy);
  Handle(WM_SIZE, &PopupWindow::OnSize);
  Command(kPopupCloseCommand, &PopupWindow::CloseByCommand);
}

fw::WindowClassSpec PopupWindow::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "MuralboxPopup";
  spec.background = nullptr;
  return spec;
}

bool PopupWindow::Create(const PopupItem& item) {
  LoadSkinLibrary();
  SkinSchemeRef scheme;
  RECT rect = {item.left, item.top, item.right, item.bottom};
  RECT image = {};
  HRGN region = nullptr;
  if (scheme && SUCCEEDED(scheme->GetImageRect(&image, kBackgroundImage)) && image.right > 0 && image.bottom > 0) {
    rect = image;
    region = scheme->GetImageRegion(kBackgroundImage);
    skinned_ = true;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (!fw::Window::Create(nullptr, "", WS_POPUP | WS_SYSMENU, WS_EX_TOOLWINDOW, &rect)) {
    if (region) DeleteObject(region);
    return false;
  }
  if (region && !SetWindowRgn(Handle(), region, FALSE)) DeleteObject(region);  // the window owns it once set
  // Without its browser the page never loads and the popup closes at the load time-out.
  const RECT browserRect = {22, 73, width - 22, height - 59};
  browser_.Create(Handle(), browserRect);
  slide_ = PopupSlide::AtScreenCorner(GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED), width,
                                      height);
  currentTimer_ = kSlideInTimer;
  Place(true);
  return true;
}

void PopupWindow::Load(const std::string& pageUrl, unsigned displayMs, unsigned loadTimeoutMs) {
  pageUrl_ = pageUrl;
  displayMs_ = displayMs;
  SetTimer(Handle(), kLoadTimer, loadTimeoutMs, nullptr);
  browser_.Navigate(pageUrl_);
}

void PopupWindow::Place(bool show) {
  const PopupRect r = slide_.Place();
  SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.width, r.height,
               SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : 0));
}

LRESULT PopupWindow::OnCreate(const fw::Message&) {
  elements_.Attach(Handle());
  elements_.AddLayoutElements(skin::SkinWindow::kPopupWindow);
  return 0;
}

LRESULT PopupWindow::OnSetText(const fw::Message& m) {
  // The page's title: it has loaded, the slide starts.
  KillTimer(Handle(), kLoadTimer);
  SetTimer(Handle(), kSlideInTimer, kSlideMs, nullptr);
  return CallDefault(m);
}

LRESULT PopupWindow::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SkinSchemeRef scheme;
  if (!skinned_ || !scheme || FAILED(scheme->DrawImage(dc, kBackgroundImage, 0, 0, 0, 0, SRCCOPY))) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  }
  elements_.Draw(dc);
  return 1;
}

LRESULT PopupWindow::OnGetMinMaxInfo(const fw::Message& m) {
  auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
  const POINT full = {slide_.Place().width, slide_.FullHeight()};
  if (full.x > 0 && full.y > 0) {
    info->ptMaxSize = full;
    info->ptMaxTrackSize = full;
  }
  return 0;
}

LRESULT PopupWindow::OnMouse(const fw::Message& m) {
  elements_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT PopupWindow::OnTimer(const fw::Message& m) {
  const UINT_PTR id = m.wParam;
  if (id == kLoadTimer) {
    KillTimer(Handle(), kLoadTimer);
    closing_ = true;
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return 0;
  }
  if (inTimer_) return 0;
  if (id != currentTimer_) {
    KillTimer(Handle(), id);
    return 0;
  }
  inTimer_ = true;
  switch (id) {
    case kSlideInTimer:
      if (!slide_.StepIn()) {
        Place(false);
        break;
      }
      ShowWindow(Handle(), SW_SHOWNOACTIVATE);
      KillTimer(Handle(), kSlideInTimer);
      currentTimer_ = kStayTimer;
      SetTimer(Handle(), kStayTimer, displayMs_, nullptr);
      break;
    case kStayTimer:
      KillTimer(Handle(), kStayTimer);
      StartSlideOut();
      break;
    case kSlideOutTimer:
      if (!slide_.StepOut()) {
        Place(false);
        break;
      }
      currentTimer_ = kNoTimer;
      KillTimer(Handle(), kSlideOutTimer);
      ShowWindow(Handle(), SW_HIDE);
      closing_ = true;
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
  inTimer_ = false;
  return 0;
}

void PopupWindow::StartSlideOut() {
  currentTimer_ = kSlideOutTimer;
  RECT now = {};
  GetWindowRect(Handle(), &now);
  slide_.ContinueFrom(now.left, now.top);
  SetTimer(Handle(), kSlideOutTimer, kSlideMs, nullptr);
}

LRESULT PopupWindow::OnLinkClicked(const fw::Message&) {
  if (currentTimer_ != kNoTimer) KillTimer(Handle(), currentTimer_);
  StartSlideOut();
  if (onLinkClicked_) onLinkClicked_();
  return 0;
}

void PopupWindow::CloseByCommand() {
  closing_ = true;
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

LRESULT PopupWindow::OnDestroyRequest(const fw::Message&) {
  closing_ = true;
  DestroyWindow(Handle());
  return 0;
}

LRESULT PopupWindow::OnClose(const fw::Message&) {
  if (currentTimer_ != kNoTimer) KillTimer(Handle(), currentTimer_);
  KillTimer(Handle(), kLoadTimer);
  currentTimer_ = kNoTimer;
  DestroyWindow(Handle());
  return 0;
}

LRESULT PopupWindow::OnDestroy(const fw::Message&) {
  PostQuitMessage(0);
  destroyed_ = true;
  return 0;
}

LRESULT PopupWindow::OnSize(const fw::Message&) { return 0; }

}  // namespace mb
