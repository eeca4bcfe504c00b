// BrowserEventWindow: a browser host that shows a waiting animation until its page has loaded.
// While it navigates the host is hidden and the animation plays; when the top-level document of
// a web address ("http://" or "https://") completes and the browser is no longer busy, the host
// is shown and the animation stopped and hidden. Error pages (res://, file://) leave the
// animation in place.
#pragma once

#include <string>

#include "client/ui/browser/win/web_browser_host.h"

namespace mb {

class AnimatedGifControl;

// True when a completed top-level page ends the wait: a web address, compared without case.
bool PageEndsWaiting(const std::string& url);

class BrowserEventWindow : public WebBrowserHost, private BrowserEventListener {
 public:
  BrowserEventWindow();
  using WebBrowserHost::OnDocumentComplete;

  // The animation shown while a page loads; not owned, null for none.
  void AttachAnimation(AnimatedGifControl* animation) { animation_ = animation; }
  // Further listener told of every document completion after the rule above ran; not owned.
  void SetPageListener(BrowserEventListener* listener) { pageListener_ = listener; }
  // Hides the host, shows and starts the animation, and navigates to address.
  bool NavigateWithAnimation(const std::string& address);
  bool Waiting() const { return waiting_; }

 private:
  void OnDocumentComplete(bool topLevel, const std::string& url) override;

  AnimatedGifControl* animation_ = nullptr;
  BrowserEventListener* pageListener_ = nullptr;
  bool waiting_ = false;
};

}  // namespace mb
