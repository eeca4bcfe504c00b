#include "client/ui/browser/win/browser_event_window.h"

#include <shlwapi.h>

#include "client/ui/gif/win/animated_gif_control.h"

namespace mb {

bool PageEndsWaiting(const std::string& url) {
  return StrCmpNIA(url.c_str(), "http://", 7) == 0 || StrCmpNIA(url.c_str(), "https://", 8) == 0;
}

BrowserEventWindow::BrowserEventWindow() { SetListener(this); }

bool BrowserEventWindow::NavigateWithAnimation(const std::string& address) {
  if (animation_ && animation_->IsWindow()) {
    ShowWindow(Handle(), SW_HIDE);
    ShowWindow(animation_->Handle(), SW_SHOW);
    animation_->Start();
    waiting_ = true;
  }
  return Navigate(address);
}

void BrowserEventWindow::OnDocumentComplete(bool topLevel, const std::string& url) {
  if (topLevel && PageEndsWaiting(url) && !IsBusy()) {
    ShowWindow(Handle(), SW_SHOW);
    if (animation_ && animation_->IsWindow()) {
      animation_->Stop();
      ShowWindow(animation_->Handle(), SW_HIDE);
    }
    waiting_ = false;
  }
  if (pageListener_) pageListener_->OnDocumentComplete(topLevel, url);
}

}  // namespace mb
