// BrowserDialog: a modal dialog that shows one address in a browser control, with the waiting
// animation until the first page has completed; its caption follows each completed document's
// title. Used for the pop-up page after the start-up requests and for the pages' previews.
#pragma once

#include <windows.h>

#include <string>

#include "client/ui/browser/win/web_browser_host.h"
#include "client/ui/gif/win/animated_gif_control.h"
#include "framework/dialog.h"

namespace mb {

class BrowserDialog : public fw::Dialog, private BrowserEventListener {
 public:
  static constexpr int kBrowserId = 1014;
  static constexpr int kAnimationId = 1032;
  static constexpr int kWidth = 374;
  static constexpr int kHeight = 312;

  // An empty address shows the animation and no page until the dialog is closed.
  explicit BrowserDialog(const std::string& address);
  ~BrowserDialog() override;

  // 0 adds the no-scroll host flag; 0 removes the minimise and maximise boxes. Both 1 at first.
  int scrollFlag = 1;
  int keepBoxes = 1;

  WebBrowserHost& Browser() { return browser_; }
  AnimatedGifControl& Animation() { return animation_; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  void OnCancel();
  void OnDocumentComplete(bool topLevel, const std::string& url) override;
  void CentreOnOwner();

  std::string address_;
  WebBrowserHost browser_;
  AnimatedGifControl animation_;
  IDispatch* external_ = nullptr;  // the dialog's own empty window.external; one reference
};

// Runs a BrowserDialog modal over owner (the work area when the owner is hidden or missing).
INT_PTR RunBrowserDialog(HWND owner, const std::string& address);

}  // namespace mb
