// PopupWindow: one notice in a small skinned window ("popup_bk", or 400 x 300 without a skin)
// that slides up from the lower right corner of the screen once its page has loaded, stays for
// the display time and slides down again; a page not loaded in time closes it. It lives on the
// popup thread; its WM_DESTROY ends that thread's message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "client/ui/popup/notice_queue.h"
#include "client/ui/popup/popup_slide.h"
#include "client/ui/popup/win/popup_browser_host.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/window.h"

namespace mb {

constexpr UINT WM_POPUP_DESTROY = 0x4C9;
constexpr int kPopupCloseCommand = 20006;

class PopupWindow final : public fw::Window {
 public:
  enum Timer : UINT_PTR { kNoTimer = 0, kSlideInTimer = 1, kStayTimer = 2, kSlideOutTimer = 3, kLoadTimer = 4 };
  static constexpr UINT kSlideMs = 20;

  // onLinkClicked: told on the popup's thread when the loaded page opened a link.
  PopupWindow(int skinLayout, std::function<void()> onLinkClicked);

  // The window for item, topmost at the screen's lower right corner with no height, without
  // being activated; false when it cannot be made.
  bool Create(const PopupItem& item);
  // Starts loading the page; the popup closes itself when the page has not loaded within
  // loadTimeoutMs, and stays displayMs once it has slid in.
  void Load(const std::string& pageUrl, unsigned displayMs, unsigned loadTimeoutMs);
  bool SlidingOut() const { return currentTimer_ == kSlideOutTimer; }
  bool Destroyed() const { return destroyed_; }
  const std::string& PageUrl() const { return pageUrl_; }
  PopupBrowserHost& Browser() { return browser_; }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnSetText(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnGetMinMaxInfo(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnLinkClicked(const fw::Message& m);
  LRESULT OnDestroyRequest(const fw::Message& m);
  LRESULT OnClose(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  void CloseByCommand();
  void StartSlideOut();
  void Place(bool show);

  skin::SkinElementHost elements_;
  std::function<void()> onLinkClicked_;
  PopupBrowserHost browser_;
  PopupSlide slide_{0, 0, 0, 0};
  UINT_PTR currentTimer_ = kNoTimer;
  bool inTimer_ = false;  // a timer call made while another runs is ignored
  bool closing_ = false;
  bool skinned_ = false;
  bool destroyed_ = false;
  std::string pageUrl_;
  unsigned displayMs_ = 300000;
};

}  // namespace mb
