// CPPHtmlStatic: a static control that shows HTML-subset text with hyperlinks, single images and
// animated image strips over a painted background, with an optional window region and border.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"
#include "uibase/win/pp_html_drawer.h"
#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CPPHtmlStatic : public fw::Window {
 public:
  // The message the drawer sends when the link under the mouse changes.
  static constexpr UINT kLinkHoverMessage = WM_APP + 0x64;
  static constexpr UINT_PTR kAnimationTimer = 260;
  // Horizontal and vertical alignment flags.
  enum : DWORD { kAlignLeft = 1, kAlignRight = 2, kAlignCenter = 3, kAlignTop = 4, kAlignBottom = 8, kAlignVCenter = 12 };

  CPPHtmlStatic();
  ~CPPHtmlStatic() override;

  // Attaches to an existing static control (a dialog item) and takes its text as the HTML text.
  BOOL SubclassDlgItem(UINT id, HWND parent);
  virtual void PreSubclassWindow();
  virtual BOOL DestroyWindow();
  CPPHtmlDrawer* GetHtmlDrawer() { return &drawer_; }
  static const char* GetVersionC() { return "1.2"; }
  static DWORD GetVersionI() { return 18; }

  void SetHyperlink(const char* text, const char* target, int isMessage);
  void SetHyperlinkStyle(COLORREF linkColour, int linkUnderline, COLORREF hoverColour, int hoverUnderline);
  void SetCallbackHyperlink(UINT message, LPARAM value);
  void SetTextColor(COLORREF colour);
  void SetWrapText(int wrap);
  void SetAlign(DWORD align);
  DWORD GetAlign() const { return align_; }
  void SetMargins(int x, int y);

  void SetIcon(DWORD resourceId, SIZE* size = nullptr);
  void SetIcon(HICON icon);
  void SetBitmap(DWORD resourceId, COLORREF mask = 0xFFFFFFFF);
  void SetBitmap(HBITMAP bitmap, COLORREF mask = 0xFFFFFFFF);
  void SetAnimation(DWORD resourceId, SIZE* frame = nullptr, COLORREF mask = 0xFFFFFFFF);
  void SetAnimation(HBITMAP bitmap, SIZE* frame = nullptr, COLORREF mask = 0xFFFFFFFF);
  void SetImageList(DWORD resourceId, DWORD index, SIZE* frame = nullptr, COLORREF mask = 0xFFFFFFFF);
  void SetImageList(HBITMAP bitmap, DWORD index, SIZE* frame = nullptr, COLORREF mask = 0xFFFFFFFF);
  void SetImageZoom(int percent);
  void SetImageZoom(int x, int y);
  void SetFrameRate(DWORD milliseconds);
  void ClearFrameRate();

  void SetBkColor(COLORREF colour);
  void SetBkColor(COLORREF start, COLORREF end);
  void SetBkColor(COLORREF start, COLORREF middle, COLORREF end);
  void SetBkMode(int mode);
  void SetBkEffect(DWORD effect, BYTE granularity = 5);
  void SetRgn(HRGN region);
  void SetRectRgn();
  void SetRoundRectRgn(int cornerWidth, int cornerHeight);
  void SetBorder(HBRUSH brush, int width, int height);
  void SetBorder(COLORREF colour, int width, int height);

  // What the control holds, for its owner and its tests.
  const std::string& HtmlText() const { return text_; }
  const RECT& TextArea() const { return textArea_; }
  COLORREF BkColor() const { return bkStart_; }

 private:
  LRESULT OnPaint(const fw::Message&);
  LRESULT OnSetCursor(const fw::Message&);
  LRESULT OnLButtonDown(const fw::Message&);
  LRESULT OnEraseBkgnd(const fw::Message&);
  LRESULT OnMouseMove(const fw::Message&);
  LRESULT OnTimer(const fw::Message&);
  LRESULT OnEnable(const fw::Message&);
  LRESULT OnSize(const fw::Message&);
  LRESULT OnSetText(const fw::Message&);
  LRESULT OnGetText(const fw::Message&);
  LRESULT OnGetTextLength(const fw::Message&);
  LRESULT OnSetFont(const fw::Message&);
  LRESULT OnGetFont(const fw::Message&);
  LRESULT OnMouseLeave(const fw::Message&);
  LRESULT OnLinkHover(const fw::Message&);

  void SetDefaultFont(HFONT font);
  void ComposeImage(const std::string& tag, bool animate);
  void ApplyZoom();
  void StopTimer();
  void DropSurface();
  void UpdateSurface();
  void Repaint(HDC dc);
  void PlaceText(HDC dc);
  POINT CursorInClient() const;

  HBITMAP surface_ = nullptr;
  HRGN region_ = nullptr;
  bool regionFollowsSize_ = false;
  int cornerWidth_ = 0;
  int cornerHeight_ = 0;
  HBRUSH borderBrush_ = nullptr;
  int borderWidth_ = 0;
  int borderHeight_ = 0;
  int marginX_ = 0;
  int marginY_ = 0;
  RECT textArea_ = {};
  int measuredWidth_ = 0;
  int measuredHeight_ = 0;
  int imageWidth_ = -1;
  int imageHeight_ = -1;
  CPPHtmlDrawer drawer_;
  DWORD align_ = 0;
  std::string text_;
  int zoomX_ = 100;
  int zoomY_ = 100;
  bool enabled_ = true;
  UINT_PTR timer_ = 0;
  DWORD frameRate_ = 0;
  bool imageMode_ = false;
  std::string imageTag_;
  HFONT font_ = nullptr;
  COLORREF textColour_;
  COLORREF bkStart_;
  COLORREF bkMiddle_;
  COLORREF bkEnd_;
  int bkMode_ = 2;
  DWORD bkEffect_ = 0;
  BYTE granularity_ = 5;
};
