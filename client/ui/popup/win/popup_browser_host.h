// PopupBrowserHost: the browser inside a popup notice. It has no context menu and no scroll
// bars; when its page has loaded it sends the page's title to the popup (WM_SETTEXT, which starts
// the slide), and a new window asked for by the loaded page (a click on one of its links) tells
// the popup with WM_POPUP_LINK_CLICKED. While a page loads, the browser's pane does not erase
// its background.
#pragma once

#include <memory>
#include <string>

#include "client/ui/browser/win/web_browser_host.h"

namespace mb {

constexpr UINT WM_POPUP_LINK_CLICKED = 0x4C8;

class PopupBrowserHost final : public WebBrowserHost, private BrowserEventListener {
 public:
  PopupBrowserHost();
  ~PopupBrowserHost() override;

  // The host as a child of popup in rect; null when the browser cannot be made.
  HWND Create(HWND popup, const RECT& rect);
  bool PageLoaded() const { return pageLoaded_; }

 private:
  class PaneGuard;

  void OnDocumentComplete(bool topLevel, const std::string& url) override;
  void OnBrowserEvent(DISPID id, DISPPARAMS* params) override;
  void GuardBrowserPane();
  std::string DocumentTitle() const;

  HWND popup_ = nullptr;
  bool pageLoaded_ = false;
  std::unique_ptr<PaneGuard> pane_;
};

}  // namespace mb
