// CxSkinButton: a button drawn from bitmap resources (normal, pressed, disabled, focus, and a
// mask that also shapes the window), with a tooltip, check box and radio button behaviour, and a
// message sent to its grandparent window on a click.
#pragma once

#include <windows.h>

#include "framework/gbk_string.h"
#include "framework/gdi.h"
#include "framework/tooltip.h"
#include "uibase/win/owner_draw_button.h"
#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CxSkinButton : public OwnerDrawButton {
 public:
  // The default click message (the title bar's close message).
  static constexpr UINT kDefaultMessage = WM_USER + 55;
  // Sent to the other radio buttons of the group when one is checked.
  static constexpr UINT kUncheckMessage = WM_USER + 0x100;
  // With this click message, a WM_COMMAND with this id goes to the grandparent instead.
  static constexpr UINT kCommandMessage = 1001;

  CxSkinButton();
  ~CxSkinButton() override;

  // Bitmap resource ids (0: none) and the options: draw mode 0 natural size, 1 stretch, 2 tile;
  // border non-zero draws a 3D edge; focus margin insets the focus rectangle and the text. Call
  // after the window exists: a mask shapes the window and, in draw mode 0, sizes it.
  void SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask, short drawMode,
               short border, short focusMargin);
  // The module the bitmaps come from; by default (null) the process's resource chain, the
  // program first.
  void SetResourceModule(HINSTANCE module) { resources_ = module; }
  void SetMessage(UINT message) { message_ = message; }
  void SetToolTipText(const fw::CString& text);
  COLORREF SetTextColor(COLORREF colour);

  int GetCheck() const { return checked_; }
  int Kind() const { return kind_; }
  int DrawMode() const { return drawMode_; }
  int FocusMargin() const { return focusMargin_; }
  // The region the window is clipped to (owned here; the window has its own copy), or null.
  HRGN Region() const { return region_.Get(); }
  const fw::ToolTip& ToolTip() const { return tooltip_; }

  void PreSubclassWindow() override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  LRESULT OnEraseBkgnd(const fw::Message& message);
  LRESULT OnLButtonDown(const fw::Message& message);
  LRESULT OnKillFocus(const fw::Message& message);
  LRESULT OnKeyDown(const fw::Message& message);
  LRESULT OnMouseLeave(const fw::Message& message);
  LRESULT OnUncheck(const fw::Message& message);
  LRESULT OnSetCheck(const fw::Message& message);
  LRESULT OnGetCheck(const fw::Message& message);

 private:
  HBITMAP LoadSkinBitmap(UINT id) const;
  void DrawImage(HDC dc, HBITMAP image, const RECT& rect) const;
  void UncheckOtherRadios() const;

  UINT message_ = kDefaultMessage;
  int checked_ = 0;
  int kind_ = 0;
  bool hovering_ = false;
  bool capturing_ = false;
  fw::ToolTip tooltip_;
  fw::Bitmap normal_, pressed_, disabled_, mask_, hover_, focus_;
  int focusMargin_ = 0;
  COLORREF textColour_;
  fw::Region region_;
  int border_ = 0;
  int drawMode_ = 1;
  HINSTANCE resources_ = nullptr;
};
