#include "uibase/win/skin_button.h"

#include <vector>

#include "framework/module.h"
#include "uibase/core/button_logic.h"
#include "uibase/core/geometry.h"
#include "uibase/win/dib_pixels.h"
#include "uibase/win/draw_effects.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap) { return CDrawEffects::BitmapSize(bitmap); }

// The region of the pixels of bitmap that are not transparent; null when there are none.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
  const SIZE size = BitmapSize(bitmap);
  const std::vector<std::uint32_t> pixels = zel::ReadBitmapPixels(bitmap, size.cx, size.cy);
  if (pixels.empty()) return nullptr;
  const auto runs = zel::OpaqueRuns(size.cx, size.cy, [&](int x, int y) {
    return zel::PixelToColour(pixels[static_cast<std::size_t>(y) * size.cx + x]) != (transparent & 0xFFFFFF);
  });
  if (runs.empty()) return nullptr;
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* region = reinterpret_cast<RGNDATA*>(data.data());
  region->rdh.dwSize = sizeof(RGNDATAHEADER);
  region->rdh.iType = RDH_RECTANGLES;
  region->rdh.nCount = static_cast<DWORD>(runs.size());
  region->rdh.rcBound = RECT{0, 0, size.cx, size.cy};
  auto* rects = reinterpret_cast<RECT*>(region->Buffer);
  for (std::size_t i = 0; i < runs.size(); ++i) rects[i] = RECT{runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

void FillFace(HDC dc, const RECT& rect) { FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE)); }

void DrawLabel(HDC dc, const char* text, RECT rect, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

CxSkinButton::CxSkinButton() : textColour_(GetSysColor(COLOR_BTNTEXT)) {
  Handle(WM_ERASEBKGND, &CxSkinButton::OnEraseBkgnd);
  Handle(WM_LBUTTONDOWN, &CxSkinButton::OnLButtonDown);
  Handle(WM_KILLFOCUS, &CxSkinButton::OnKillFocus);
  Handle(WM_KEYDOWN, &CxSkinButton::OnKeyDown);
  Handle(WM_MOUSELEAVE, &CxSkinButton::OnMouseLeave);
  Handle(kUncheckMessage, &CxSkinButton::OnUncheck);
  Handle(BM_SETCHECK, &CxSkinButton::OnSetCheck);
  Handle(BM_GETCHECK, &CxSkinButton::OnGetCheck);
}

CxSkinButton::~CxSkinButton() = default;

void CxSkinButton::PreSubclassWindow() {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  kind_ = zel::ButtonKindFromStyle(static_cast<unsigned long>(style));
  SetWindowLongA(Handle(), GWL_STYLE, style | BS_OWNERDRAW);
}

HBITMAP CxSkinButton::LoadSkinBitmap(UINT id) const {
  if (id == 0) return nullptr;
  HINSTANCE module = resources_ ? resources_ : fw::Module::FindResourceModule(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
  return module ? LoadBitmapA(module, MAKEINTRESOURCEA(id)) : nullptr;
}

void CxSkinButton::SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask, short drawMode,
                           short border, short focusMargin) {
  normal_.Reset();
  pressed_.Reset();
  disabled_.Reset();
  mask_.Reset();
  hover_.Reset();
  focus_.Reset();
  normal_.Reset(LoadSkinBitmap(normal));
  pressed_.Reset(LoadSkinBitmap(pressed));
  hover_.Reset(LoadSkinBitmap(hover));  // kept, never drawn: no hover state is tracked
  focus_.Reset(LoadSkinBitmap(focus));
  disabled_.Reset(LoadSkinBitmap(disabled != 0 ? disabled : normal));
  drawMode_ = zel::NormalisedDrawMode(drawMode);
  border_ = border;
  focusMargin_ = zel::NormalisedFocusMargin(focusMargin);
  if (mask == 0) return;
  mask_.Reset(LoadSkinBitmap(mask));
  region_.Reset(RegionFromBitmap(mask_, RGB(255, 255, 255)));
  if (region_ && IsWindow()) {
    // The window takes ownership of the region it is given: it gets a copy, ours stays ours.
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (copy && CombineRgn(copy, region_, nullptr, RGN_COPY) != ERROR) {
      if (!SetWindowRgn(Handle(), copy, TRUE)) DeleteObject(copy);
    } else if (copy) {
      DeleteObject(copy);
    }
    if (drawMode_ == zel::kDrawNormal) {
      const SIZE size = BitmapSize(mask_);
      SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void CxSkinButton::SetToolTipText(const fw::CString& text) {
  if (!IsWindow()) return;
  if (tooltip_.Exists()) {
    tooltip_.UpdateText(Handle(), text);
    return;
  }
  if (tooltip_.Create(Handle()) && tooltip_.AddWindowTool(Handle(), text)) tooltip_.Activate(true);
}

COLORREF CxSkinButton::SetTextColor(COLORREF colour) {
  const COLORREF previous = textColour_;
  textColour_ = colour;
  return previous;
}

LRESULT CxSkinButton::OnEraseBkgnd(const fw::Message&) { return 1; }

LRESULT CxSkinButton::OnLButtonDown(const fw::Message& message) {
  HWND self = Handle();
  HWND grandparent = GetParent(GetParent(self));
  if (grandparent) {
    if (message_ != kCommandMessage) {
      SendMessageA(grandparent, message_, 0, 0);
    } else {
      const int x = static_cast<short>(LOWORD(message.lParam)), y = static_cast<short>(HIWORD(message.lParam));
      if (x > 0 && y > 0) SendMessageA(grandparent, WM_COMMAND, kCommandMessage, 0);
    }
  }
  // The receiver may have closed the window that holds this button.
  if (!::IsWindow(self) || FromHandle(self) != this) return 0;
  return CallDefault(message);
}

LRESULT CxSkinButton::OnKillFocus(const fw::Message& message) {
  if (GetCapture() == Handle()) {
    ReleaseCapture();
    capturing_ = false;
  }
  return CallDefault(message);
}

LRESULT CxSkinButton::OnKeyDown(const fw::Message& message) {
  if (message.wParam == VK_SPACE) {
    if (kind_ == zel::kCheckBox) Send(BM_SETCHECK, checked_ ? 0 : 1);
    if (kind_ == zel::kRadioButton) Send(BM_SETCHECK, 1);
  }
  return CallDefault(message);
}

LRESULT CxSkinButton::OnMouseLeave(const fw::Message&) { return 0; }

LRESULT CxSkinButton::OnUncheck(const fw::Message&) {
  if (checked_) {
    checked_ = 0;
    Invalidate(true);
  }
  return 0;
}

LRESULT CxSkinButton::OnSetCheck(const fw::Message& message) {
  checked_ = kind_ == zel::kPushButton ? 0 : (message.wParam != 0 ? 1 : 0);
  if (kind_ == zel::kRadioButton && checked_) {
    // An uncheck still queued from an earlier check of another radio is older than this check:
    // delivered later it would leave the group with nothing checked.
    MSG stale;
    while (PeekMessageA(&stale, Handle(), kUncheckMessage, kUncheckMessage, PM_REMOVE)) {
    }
    UncheckOtherRadios();
  }
  Invalidate(true);
  return 0;
}

LRESULT CxSkinButton::OnGetCheck(const fw::Message&) { return checked_; }

void CxSkinButton::UncheckOtherRadios() const {
  HWND parent = GetParent(Handle());
  if (!parent) return;
  // The system's group walk skips hidden and disabled items, so from a hidden button it never
  // comes back to the start: stop at the first item seen twice, and after as many steps as
  // there are children.
  int limit = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++limit;
  HWND first = nullptr;
  for (HWND item = GetNextDlgGroupItem(parent, Handle(), FALSE); item && item != Handle() && item != first && limit-- > 0;
       item = GetNextDlgGroupItem(parent, item, FALSE)) {
    if (!first) first = item;
    // Every other item hears it; those that are no skinned radio let it pass.
    PostMessageA(item, kUncheckMessage, 0, 0);
  }
}

void CxSkinButton::DrawImage(HDC dc, HBITMAP image, const RECT& rect) const {
  const SIZE size = BitmapSize(image);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0) return;
  fw::MemoryDC source(dc);
  fw::ScopedSelect selectedImage(source, image);
  if (drawMode_ == zel::kDrawTile) {
    for (const zel::TilePiece& piece : zel::TilePieces({rect.left, rect.top, rect.right, rect.bottom}, size.cx, size.cy)) {
      BitBlt(dc, piece.destination.left, piece.destination.top, piece.width, piece.height, source, 0, 0, SRCCOPY);
    }
    return;
  }
  const bool stretch = drawMode_ == zel::kDrawStretch;
  auto put = [&](HDC target, int x, int y, HDC from, DWORD rop) {
    if (stretch) {
      StretchBlt(target, x, y, width, height, from, 0, 0, size.cx, size.cy, rop);
    } else {
      BitBlt(target, x, y, size.cx, size.cy, from, 0, 0, rop);
    }
  };
  if (!mask_) {
    put(dc, rect.left, rect.top, source, SRCCOPY);
    return;
  }
  // White mask pixels keep the background, black ones show the image.
  fw::MemoryDC scratch(dc);
  fw::Bitmap scratchBitmap(CreateCompatibleBitmap(dc, width, height));
  fw::ScopedSelect selectedScratch(scratch, scratchBitmap);
  fw::MemoryDC maskDc(dc);
  fw::ScopedSelect selectedMask(maskDc, mask_.Get());
  BitBlt(scratch, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
  put(scratch, 0, 0, source, SRCINVERT);
  put(scratch, 0, 0, maskDc, SRCAND);
  put(scratch, 0, 0, source, SRCINVERT);
  BitBlt(dc, rect.left, rect.top, width, height, scratch, 0, 0, SRCCOPY);
}

void CxSkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  SetBkMode(dc, TRANSPARENT);
  char text[256] = {};
  GetWindowTextA(Handle(), text, sizeof text);
  RECT r = item.rcItem;
  RECT t = r;
  t.left += focusMargin_ + 2;
  t.right -= focusMargin_ + 2;

  if (item.itemState & ODS_DISABLED) {
    if (disabled_) DrawImage(dc, disabled_, r); else FillFace(dc, r);
    if (border_) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    DrawLabel(dc, text, t, GetSysColor(COLOR_BTNHIGHLIGHT));
    OffsetRect(&t, -1, -1);
    DrawLabel(dc, text, t, GetSysColor(COLOR_GRAYTEXT));
    return;
  }
  UINT edge;
  if ((item.itemState & ODS_SELECTED) || checked_) {
    if (pressed_) DrawImage(dc, pressed_, r); else FillFace(dc, r);
    OffsetRect(&t, 1, 1);
    edge = EDGE_SUNKEN;
  } else {
    if (normal_) {
      DrawImage(dc, ((item.itemState & ODS_FOCUS) && focus_) ? focus_.Get() : normal_.Get(), r);
    } else {
      FillFace(dc, r);
    }
    edge = EDGE_RAISED;
  }
  if (border_) DrawEdge(dc, &r, edge, BF_RECT);
  if ((item.itemState & ODS_FOCUS) && focusMargin_ > 0) {
    RECT focusRect = r;
    InflateRect(&focusRect, -focusMargin_, -focusMargin_);
    DrawFocusRect(dc, &focusRect);
  }
  DrawLabel(dc, text, t, textColour_);
}
