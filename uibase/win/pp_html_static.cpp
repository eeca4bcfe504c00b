#include "uibase/win/pp_html_static.h"

#include <windowsx.h>

#include <algorithm>

#include "common/gbk_text.h"
#include "framework/gdi.h"
#include "uibase/html/static_text.h"
#include "uibase/win/draw_effects.h"

namespace {

constexpr DWORD kNoWrapBits = 0x000C;

using mb::html::ImageTagSpec;

ImageTagSpec Spec(ImageTagSpec::Kind kind, bool byHandle, std::uint32_t value, COLORREF mask = mb::html::kNoMask) {
  ImageTagSpec spec;
  spec.kind = kind;
  spec.byHandle = byHandle;
  spec.value = value;
  spec.mask = mask;
  return spec;
}

ImageTagSpec StripSpec(bool byHandle, std::uint32_t value, const SIZE* frame, COLORREF mask) {
  ImageTagSpec spec = Spec(ImageTagSpec::kStrip, byHandle, value, mask);
  if (frame) spec.frame = mb::html::ImageSize{frame->cx, frame->cy};
  return spec;
}

}  // namespace

CPPHtmlStatic::CPPHtmlStatic()
    : textColour_(GetSysColor(COLOR_WINDOWTEXT)),
      bkStart_(GetSysColor(COLOR_BTNFACE)),
      bkMiddle_(bkStart_),
      bkEnd_(bkStart_) {
  SetHyperlinkStyle(0xFF0000, FALSE, 0xFF0000, TRUE);
  Handle(WM_PAINT, &CPPHtmlStatic::OnPaint);
  Handle(WM_SETCURSOR, &CPPHtmlStatic::OnSetCursor);
  Handle(WM_LBUTTONDOWN, &CPPHtmlStatic::OnLButtonDown);
  Handle(WM_ERASEBKGND, &CPPHtmlStatic::OnEraseBkgnd);
  Handle(WM_MOUSEMOVE, &CPPHtmlStatic::OnMouseMove);
  Handle(WM_TIMER, &CPPHtmlStatic::OnTimer);
  Handle(WM_ENABLE, &CPPHtmlStatic::OnEnable);
  Handle(WM_SIZE, &CPPHtmlStatic::OnSize);
  Handle(WM_SETTEXT, &CPPHtmlStatic::OnSetText);
  Handle(WM_GETTEXT, &CPPHtmlStatic::OnGetText);
  Handle(WM_GETTEXTLENGTH, &CPPHtmlStatic::OnGetTextLength);
  Handle(WM_SETFONT, &CPPHtmlStatic::OnSetFont);
  Handle(WM_GETFONT, &CPPHtmlStatic::OnGetFont);
  Handle(WM_MOUSELEAVE, &CPPHtmlStatic::OnMouseLeave);
  Handle(kLinkHoverMessage, &CPPHtmlStatic::OnLinkHover);
}

CPPHtmlStatic::~CPPHtmlStatic() {
  if (borderBrush_) DeleteObject(borderBrush_);
  if (surface_) DeleteObject(surface_);
  if (region_) DeleteObject(region_);
}

BOOL CPPHtmlStatic::SubclassDlgItem(UINT id, HWND parent) {
  HWND control = GetDlgItem(parent, id);
  if (!control || !Subclass(control)) return FALSE;
  PreSubclassWindow();
  return TRUE;
}

void CPPHtmlStatic::PreSubclassWindow() {
  HWND hwnd = Handle();
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  SetWindowLongA(hwnd, GWL_STYLE, (style & ~(WS_HSCROLL | WS_VSCROLL)) | SS_NOTIFY);
  enabled_ = (style & WS_DISABLED) == 0;
  drawer_.EnableOutput(enabled_);
  drawer_.Initialise(hwnd, kLinkHoverMessage);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  SetDefaultFont(font);
  // The control's own text (CallDefault asks the original procedure).
  const int length = static_cast<int>(CallDefault({WM_GETTEXTLENGTH, 0, 0}));
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  CallDefault({WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())});
  text_ = text.c_str();
}

BOOL CPPHtmlStatic::DestroyWindow() {
  StopTimer();
  if (region_) {
    SetWindowRgn(Handle(), nullptr, FALSE);
    DeleteObject(region_);
    region_ = nullptr;
  }
  UpdateSurface();
  return ::DestroyWindow(Handle());
}

// ---- Text and links ----

void CPPHtmlStatic::SetHyperlink(const char* text, const char* target, int isMessage) {
  StopTimer();
  imageMode_ = false;
  text_ = mb::html::HyperlinkText(text ? text : "", target ? target : "", isMessage != 0);
  UpdateSurface();
}

void CPPHtmlStatic::SetHyperlinkStyle(COLORREF linkColour, int linkUnderline, COLORREF hoverColour, int hoverUnderline) {
  drawer_.SetStyle("a:link", mb::html::LinkStyleText(linkColour, linkUnderline != 0));
  drawer_.SetStyle("a:hover", mb::html::LinkStyleText(hoverColour, hoverUnderline != 0));
}

void CPPHtmlStatic::SetCallbackHyperlink(UINT message, LPARAM value) {
  drawer_.SetCallbackHyperlink(Handle() ? GetParent(Handle()) : nullptr, message, value);
}

void CPPHtmlStatic::SetTextColor(COLORREF colour) {
  textColour_ = colour;
  UpdateSurface();
}

void CPPHtmlStatic::SetWrapText(int wrap) {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, wrap ? (style & ~kNoWrapBits) : (style | kNoWrapBits));
  UpdateSurface();
}

void CPPHtmlStatic::SetAlign(DWORD align) {
  align_ = align;
  UpdateSurface();
}

void CPPHtmlStatic::SetMargins(int x, int y) {
  marginX_ = x;
  marginY_ = y;
  UpdateSurface();
}

void CPPHtmlStatic::SetDefaultFont(HFONT font) {
  font_ = font;
  LOGFONTA lf = {};
  if (!font || !GetObjectA(font, sizeof lf, &lf)) return;
  const std::string body = mb::html::BodyStyleText(lf.lfHeight, GetSysColor(COLOR_WINDOWTEXT), lf.lfFaceName,
                                                   lf.lfWeight, lf.lfItalic != 0);
  drawer_.SetStyle("body", body);
  UpdateSurface();
}

// ---- Images ----

void CPPHtmlStatic::ComposeImage(const std::string& tag, bool animate) {
  if (animate) {
    SetFrameRate(frameRate_);  // at the current rate
  } else {
    StopTimer();
  }
  imageTag_ = tag;
  imageMode_ = true;
  ApplyZoom();
}

void CPPHtmlStatic::SetIcon(DWORD resourceId, SIZE* size) {
  if (size) {
    imageWidth_ = size->cx;
    imageHeight_ = size->cy;
  }
  ComposeImage(mb::html::ImageTag(Spec(ImageTagSpec::kIcon, false, resourceId)), false);
}

void CPPHtmlStatic::SetIcon(HICON icon) {
  ComposeImage(mb::html::ImageTag(Spec(ImageTagSpec::kIcon, true, HandleToUlong(icon))), false);
}

void CPPHtmlStatic::SetBitmap(DWORD resourceId, COLORREF mask) {
  ComposeImage(mb::html::ImageTag(Spec(ImageTagSpec::kBitmap, false, resourceId, mask)), false);
}

void CPPHtmlStatic::SetBitmap(HBITMAP bitmap, COLORREF mask) {
  ComposeImage(mb::html::ImageTag(Spec(ImageTagSpec::kBitmap, true, HandleToUlong(bitmap), mask)), false);
}

void CPPHtmlStatic::SetAnimation(DWORD resourceId, SIZE* frame, COLORREF mask) {
  ImageTagSpec spec = StripSpec(false, resourceId, frame, mask);
  spec.animated = true;
  ComposeImage(mb::html::ImageTag(spec), true);
}

void CPPHtmlStatic::SetAnimation(HBITMAP bitmap, SIZE* frame, COLORREF mask) {
  ImageTagSpec spec = StripSpec(true, HandleToUlong(bitmap), frame, mask);
  spec.animated = true;
  ComposeImage(mb::html::ImageTag(spec), true);
}

void CPPHtmlStatic::SetImageList(DWORD resourceId, DWORD index, SIZE* frame, COLORREF mask) {
  ImageTagSpec spec = StripSpec(false, resourceId, frame, mask);
  spec.index = index;
  ComposeImage(mb::html::ImageTag(spec), false);
}

void CPPHtmlStatic::SetImageList(HBITMAP bitmap, DWORD index, SIZE* frame, COLORREF mask) {
  ImageTagSpec spec = StripSpec(true, HandleToUlong(bitmap), frame, mask);
  spec.index = index;
  ComposeImage(mb::html::ImageTag(spec), false);
}

void CPPHtmlStatic::SetImageZoom(int percent) { SetImageZoom(percent, percent); }

void CPPHtmlStatic::SetImageZoom(int x, int y) {
  zoomX_ = x;
  zoomY_ = y;
  ApplyZoom();
}

void CPPHtmlStatic::ApplyZoom() {
  if (!imageMode_) return;
  RECT client = {};
  if (Handle()) GetClientRect(Handle(), &client);
  mb::html::ZoomInput zoom;
  zoom.zoomX = zoomX_;
  zoom.zoomY = zoomY_;
  zoom.imageWidth = imageWidth_;
  zoom.imageHeight = imageHeight_;
  zoom.clientWidth = client.right;
  zoom.clientHeight = client.bottom;
  zoom.marginX = marginX_;
  zoom.marginY = marginY_;
  text_ = mb::html::ZoomedImageText(imageTag_, zoom);
  UpdateSurface();
}

void CPPHtmlStatic::SetFrameRate(DWORD milliseconds) {
  if (milliseconds == frameRate_ && timer_) return;
  StopTimer();
  frameRate_ = milliseconds;
  if (milliseconds && Handle()) timer_ = SetTimer(Handle(), kAnimationTimer, milliseconds, nullptr);
}

void CPPHtmlStatic::ClearFrameRate() { StopTimer(); }

void CPPHtmlStatic::StopTimer() {
  if (timer_ && Handle()) KillTimer(Handle(), timer_);
  timer_ = 0;
}

// ---- Background, region and border ----

void CPPHtmlStatic::SetBkColor(COLORREF colour) { SetBkColor(colour, colour, colour); }
void CPPHtmlStatic::SetBkColor(COLORREF start, COLORREF end) { SetBkColor(start, start, end); }
void CPPHtmlStatic::SetBkColor(COLORREF start, COLORREF middle, COLORREF end) {
  bkStart_ = start;
  bkMiddle_ = middle;
  bkEnd_ = end;
  DropSurface();
  UpdateSurface();
}

void CPPHtmlStatic::SetBkMode(int mode) {
  if (mode == bkMode_) return;
  bkMode_ = mode;
  DropSurface();
  UpdateSurface();
}

void CPPHtmlStatic::SetBkEffect(DWORD effect, BYTE granularity) {
  bkEffect_ = effect;
  granularity_ = granularity;
  DropSurface();
  UpdateSurface();
}

void CPPHtmlStatic::DropSurface() {
  if (bkMode_ == 1 || !surface_) return;
  DeleteObject(surface_);
  surface_ = nullptr;
}

void CPPHtmlStatic::SetRgn(HRGN region) {
  if (region_) DeleteObject(region_);
  region_ = region;
  regionFollowsSize_ = false;
  if (Handle()) {
    // The window gets its own copy; the control keeps the one it was given.
    HRGN copy = nullptr;
    if (region_) {
      copy = CreateRectRgn(0, 0, 0, 0);
      CombineRgn(copy, region_, nullptr, RGN_COPY);
    }
    SetWindowRgn(Handle(), copy, TRUE);
  }
  UpdateSurface();
}

void CPPHtmlStatic::SetRectRgn() { SetRoundRectRgn(0, 0); }

void CPPHtmlStatic::SetRoundRectRgn(int cornerWidth, int cornerHeight) {
  RECT client = {};
  GetClientRect(Handle(), &client);
  cornerWidth_ = cornerWidth;
  cornerHeight_ = cornerHeight;
  SetRgn(CreateRoundRectRgn(client.left, client.top, client.right + 1, client.bottom + 1, cornerWidth, cornerHeight));
  regionFollowsSize_ = true;
}

void CPPHtmlStatic::SetBorder(HBRUSH brush, int width, int height) {
  if (borderBrush_) DeleteObject(borderBrush_);
  borderBrush_ = nullptr;
  borderWidth_ = borderHeight_ = 0;
  if (brush && width && height) {
    borderBrush_ = brush;
    borderWidth_ = width;
    borderHeight_ = height;
  } else if (brush) {
    DeleteObject(brush);
  }
  UpdateSurface();
}

void CPPHtmlStatic::SetBorder(COLORREF colour, int width, int height) {
  SetBorder(CreateSolidBrush(colour), width, height);
}

void CPPHtmlStatic::UpdateSurface() {
  HWND hwnd = Handle();
  if (!hwnd || !IsWindow()) return;
  if (region_) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HWND parent = GetParent(hwnd);
    if (parent) {
      RECT r = {};
      GetWindowRect(hwnd, &r);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      InvalidateRect(parent, &r, TRUE);
      UpdateWindow(parent);
    }
  } else {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
  }
}

// ---- Painting ----

void CPPHtmlStatic::PlaceText(HDC dc) {
  HWND hwnd = Handle();
  RECT client = {};
  GetClientRect(hwnd, &client);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  std::string text = text_;
  if (textColour_ != 0xFFFFFFFF && !imageMode_) text = mb::html::ColouredText(text, textColour_);
  const bool noWrap = (style & kNoWrapBits) != 0;
  const int clientWidth = client.right - client.left, clientHeight = client.bottom - client.top;
  drawer_.SetMaxWidth(noWrap ? 0 : std::max(clientWidth - 2 * marginX_ - 1, 1));
  const SIZE size = drawer_.Prepare(dc, text);
  measuredWidth_ = std::min<int>(size.cx, clientWidth);
  measuredHeight_ = std::min<int>(size.cy, clientHeight);

  mb::html::PlacementInput place;
  place.client = {client.left, client.top, client.right, client.bottom};
  place.align = align_;
  const DWORD type = style & SS_TYPEMASK;
  place.styleAlign = type == SS_CENTER ? 1 : type == SS_RIGHT ? 2 : 0;
  place.styleCenterImage = (style & SS_CENTERIMAGE) != 0;
  place.marginX = marginX_;
  place.marginY = marginY_;
  place.width = measuredWidth_;
  place.height = measuredHeight_;
  const mb::html::Rect area = mb::html::PlaceStaticText(place);
  textArea_ = {area.left, area.top, area.right, area.bottom};
}

LRESULT CPPHtmlStatic::OnPaint(const fw::Message&) {
  fw::PaintDC dc(Handle());
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (!surface_) {
    surface_ = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    fw::MemoryDC memory(dc);
    fw::ScopedSelect selected(memory, surface_);
    if (bkMode_ == 1) {
      BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    } else {
      CDrawEffects().Fill(memory, static_cast<int>(bkEffect_), client, bkStart_, bkMiddle_, bkEnd_, granularity_, 5);
    }
  }
  PlaceText(dc);
  Repaint(dc);
  return 0;
}

void CPPHtmlStatic::Repaint(HDC dc) {
  RECT client = {};
  GetClientRect(Handle(), &client);
  fw::MemoryDC memory(dc);
  fw::Bitmap canvas(CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
  {
    fw::ScopedSelect selected(memory, canvas);
    if (surface_) {
      fw::MemoryDC source(dc);
      fw::ScopedSelect surface(source, surface_);
      BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    }
    if (enabled_) {
      drawer_.Draw(memory, textArea_);
    } else {  // embossed: a highlight copy one pixel down and right, then the shadow in place
      RECT shifted = textArea_;
      OffsetRect(&shifted, 1, 1);
      drawer_.SetDisabledColor(GetSysColor(COLOR_BTNHIGHLIGHT));
      drawer_.Draw(memory, shifted);
      drawer_.SetDisabledColor(GetSysColor(COLOR_BTNSHADOW));
      drawer_.Draw(memory, textArea_);
    }
    if (region_) SelectClipRgn(dc, region_);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    if (borderBrush_) {
      if (region_) FrameRgn(dc, region_, borderBrush_, borderWidth_, borderHeight_);
      else FrameRect(dc, &client, borderBrush_);
    }
    if (region_) SelectClipRgn(dc, nullptr);
  }
}

// ---- Messages ----

POINT CPPHtmlStatic::CursorInClient() const {
  POINT point = {};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  return point;
}

LRESULT CPPHtmlStatic::OnSetCursor(const fw::Message& m) {
  if (enabled_ && drawer_.OnSetCursor(CursorInClient())) return TRUE;
  return CallDefault(m);
}

LRESULT CPPHtmlStatic::OnLButtonDown(const fw::Message& m) {
  const POINT point = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (enabled_ && PtInRect(&textArea_, point)) drawer_.OnLButtonDown(point);
  return CallDefault(m);
}

LRESULT CPPHtmlStatic::OnEraseBkgnd(const fw::Message&) { return 1; }

LRESULT CPPHtmlStatic::OnMouseMove(const fw::Message& m) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
  TrackMouseEvent(&track);
  return CallDefault(m);
}

LRESULT CPPHtmlStatic::OnMouseLeave(const fw::Message& m) {
  drawer_.OnSetCursor(CursorInClient());
  return CallDefault(m);
}

LRESULT CPPHtmlStatic::OnTimer(const fw::Message& m) {
  if (m.wParam != kAnimationTimer) return CallDefault(m);
  if (enabled_) {
    drawer_.OnTimer();
    fw::WindowDC dc(Handle());
    Repaint(dc);
  }
  return 0;
}

LRESULT CPPHtmlStatic::OnEnable(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  enabled_ = m.wParam != 0;
  drawer_.EnableOutput(enabled_);
  UpdateSurface();
  return result;
}

LRESULT CPPHtmlStatic::OnSize(const fw::Message& m) {
  CallDefault(m);
  if (regionFollowsSize_) {
    SetRoundRectRgn(cornerWidth_, cornerHeight_);
  } else if (region_) {
    SetWindowRgn(Handle(), nullptr, TRUE);
    DeleteObject(region_);
    region_ = nullptr;
  }
  DropSurface();
  UpdateSurface();
  return 0;
}

LRESULT CPPHtmlStatic::OnSetText(const fw::Message& m) {
  imageMode_ = false;
  text_ = m.lParam ? reinterpret_cast<const char*>(m.lParam) : "";
  UpdateSurface();
  return TRUE;
}

LRESULT CPPHtmlStatic::OnGetText(const fw::Message& m) {
  if (m.wParam == 0 || !m.lParam) return 0;
  char* buffer = reinterpret_cast<char*>(m.lParam);
  const std::size_t n = mb::GbkCutLength(text_, m.wParam - 1);
  std::copy_n(text_.data(), n, buffer);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT CPPHtmlStatic::OnGetTextLength(const fw::Message&) { return static_cast<LRESULT>(text_.size()); }

LRESULT CPPHtmlStatic::OnSetFont(const fw::Message& m) {
  SetDefaultFont(reinterpret_cast<HFONT>(m.wParam));
  return 0;
}

LRESULT CPPHtmlStatic::OnGetFont(const fw::Message&) { return reinterpret_cast<LRESULT>(font_); }

LRESULT CPPHtmlStatic::OnLinkHover(const fw::Message&) {
  fw::WindowDC dc(Handle());
  Repaint(dc);
  return 1;
}
