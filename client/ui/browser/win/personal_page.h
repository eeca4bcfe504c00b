// PersonalPage: the main window's page of the member's own pages (tab "个人管理"). It shows the
// configuration's manage address in a browser with the script bridge as window.external and the
// waiting animation until the page has loaded. Enter and Esc do nothing here.
#pragma once

#include <windows.h>

#include <string>

#include "client/ui/browser/win/browser_event_window.h"
#include "client/ui/gif/win/animated_gif_control.h"
#include "framework/dialog.h"

namespace mb {

class ScriptBridge;

class PersonalPage : public fw::Dialog {
 public:
  explicit PersonalPage(UINT templateId = IDD_PERSONAL_PAGE_ID);
  ~PersonalPage() override;

  // The address the page shows; set before the page window is created.
  void SetPageUrl(const std::string& url) { pageUrl_ = url; }
  const std::string& PageUrl() const { return pageUrl_; }
  // Shows the waiting animation and loads the page address again.
  void NavigateAgain();
  // The browser host window (keyboard and mouse forwarding); null before creation.
  HWND BrowserWindow() const { return browser_.IsWindow() ? browser_.Handle() : nullptr; }
  BrowserEventWindow& Browser() { return browser_; }
  AnimatedGifControl& Animation() { return animation_; }
  // window.external of the page; null when the bridge could not be made.
  ScriptBridge* Bridge() const { return bridge_; }

  static constexpr UINT IDD_PERSONAL_PAGE_ID = 206;

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnDownloadRequest(const fw::Message& m);
  void Ignore() {}
  void PlaceAnimation(int skinLayout);

  std::string pageUrl_;
  BrowserEventWindow browser_;
  AnimatedGifControl animation_;
  ScriptBridge* bridge_ = nullptr;  // one reference
};

}  // namespace mb
