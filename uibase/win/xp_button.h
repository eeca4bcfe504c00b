// CXPButton: a push button drawn as a vertical colour gradient in a rounded frame, lit while the
// mouse is over it.
#pragma once

#include <windows.h>

#include "uibase/win/owner_draw_button.h"
#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CXPButton : public OwnerDrawButton {
 public:
  CXPButton();
  ~CXPButton() override;

  // Each setter only stores the colour; the next paint uses it.
  void SetFrameColor(COLORREF colour) { frame_ = colour; }
  void SetActiveColor(COLORREF colour) { active_ = colour; }
  void SetActiveTextColor(COLORREF colour) { activeText_ = colour; }
  void SetNormalTextColor(COLORREF colour) { normalText_ = colour; }
  void SetSelectTextColor(COLORREF colour) { selectText_ = colour; }
  void SetNormalTopColor(COLORREF colour) { normalTop_ = colour; }
  void SetNormalBottomColor(COLORREF colour) { normalBottom_ = colour; }

  bool IsHovering() const { return hovering_; }

  void PreSubclassWindow() override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  // Lines of the gradient from top to bottom over area; span sets the gradient's height.
  void DrawFace(COLORREF top, COLORREF bottom, const RECT& area, const RECT& span, HDC dc) const;
  // A rounded frame on rect, then rect moves in by one pixel and gets a light/dark 3D rectangle.
  void DrawFrame(COLORREF light, COLORREF dark, COLORREF frame, RECT& rect, HDC dc) const;

  LRESULT OnMouseMove(const fw::Message& message);
  LRESULT OnMouseLeave(const fw::Message& message);

 private:
  bool hovering_ = false;
  COLORREF frame_ = 0x0004ABFF;
  COLORREF active_ = 0x005078FF;
  COLORREF activeText_ = 0x00FFFFFF;
  COLORREF normalText_ = 0x00012F7C;
  COLORREF selectText_ = 0x00FFFFFF;
  COLORREF edgeLight_ = 0x00E6E6E6;
  COLORREF edgeDark_ = 0x000CC0FF;
  COLORREF normalTop_ = 0x0088E8FF;
  COLORREF normalBottom_ = 0x000CC0FF;
};
