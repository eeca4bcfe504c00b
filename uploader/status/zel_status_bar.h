// CZELStatusBar: the uploader's skinned status bar. A warm tile under the whole bar, two framed
// rectangles per pane with a paler tile inside, and every pane's stored text in a 9-point "宋体"
// font, including panes whose style keeps the control itself from showing a text.
#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "framework/status_bar.h"
#include "framework/window.h"

class CZELStatusBar : public fw::StatusBar {
 public:
  static constexpr COLORREF kOuterFrame = RGB(255, 206, 104);
  static constexpr COLORREF kInnerFrame = RGB(226, 121, 31);

  CZELStatusBar();
  ~CZELStatusBar();
  // The status window with its font; its tiles come from the program's resources.
  bool Create(HWND parent, UINT id, int panes);
  HFONT Font() const { return font_.Get(); }

 private:
  class Painter : public fw::Window {
   public:
    explicit Painter(CZELStatusBar& bar);

   private:
    LRESULT OnEraseBkgnd(const fw::Message& m);
    LRESULT OnPaint(const fw::Message& m);
    CZELStatusBar& bar_;
  };
  void Paint(HDC dc, const RECT& client) const;

  Painter painter_;
  fw::Font font_;
  fw::Bitmap back_;
  fw::Bitmap pane_;
};
