// CZELHeadCtrl: the one-line title bar at the top of the uploader's docked panes: a background
// strip, the pane's title and a small close button. Closing, by the button or by a click on its
// square, sends WM_HEAD_CLOSE to the pane that holds the bar.
#pragma once

#include <windows.h>

#include "framework/gbk_string.h"
#include "framework/window.h"
#include "uibase/win/skin_button.h"
#include "uibase/win/zelbase_api.h"

constexpr UINT WM_HEAD_CLOSE = WM_USER + 55;

class MB_ZELBASE_API CZELHeadCtrl : public fw::Window {
 public:
  static constexpr UINT kCloseButtonId = 1001;

  CZELHeadCtrl();
  explicit CZELHeadCtrl(const fw::CString& title);
  ~CZELHeadCtrl() override;

  // Creates the bar (a header control) in parent with its close button; false when the window
  // could not be made.
  bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);
  // Takes effect at the next paint.
  void setTitle(const fw::CString& title) { title_ = title; }
  const fw::CString& Title() const { return title_; }
  void ShowCloseBtn(int show);
  CxSkinButton& CloseButton() { return closeButton_; }
  int LastChangingItem() const { return lastChangingItem_; }

 protected:
  LRESULT OnPaint(const fw::Message& message);
  LRESULT OnSize(const fw::Message& message);
  LRESULT OnLButtonDown(const fw::Message& message);
  LRESULT OnHeaderNotify(const fw::Message& message);

 private:
  bool CreateCloseButton();
  void Register();

  fw::CString title_;
  int lastChangingItem_ = 0;
  CxSkinButton closeButton_;
};
