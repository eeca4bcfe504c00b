#include "editor/win/image_edit_view.h"

#include <cstdio>

#include "editor/core/picture_operations.h"
#include "framework/gdi.h"
#include "image/win/picture_gdi.h"
#include "uibase/win/mem_dc.h"

using mb::editor::Point;

const mb::Picture CImageEditView::kNoPicture;

CImageEditView::CImageEditView(CanvasHost& host) : host_(host) {
  Handle(WM_PAINT, &CImageEditView::OnPaint);
  Handle(WM_PRINTCLIENT, &CImageEditView::OnPrintClient);
  Handle(WM_ERASEBKGND, &CImageEditView::OnEraseBackground);
  Handle(WM_MOUSEMOVE, &CImageEditView::OnMouseMove);
  Handle(WM_LBUTTONDOWN, &CImageEditView::OnLButtonDown);
  Handle(WM_LBUTTONUP, &CImageEditView::OnLButtonUp);
  Handle(WM_CAPTURECHANGED, &CImageEditView::OnCaptureChanged);
  Handle(WM_LBUTTONDBLCLK, &CImageEditView::OnLButtonDoubleClick);
  Handle(WM_RBUTTONDOWN, &CImageEditView::OnRButtonDown);
  Handle(WM_KEYDOWN, &CImageEditView::OnKeyDown);
  Handle(WM_GETDLGCODE, &CImageEditView::OnGetDialogCode);
  Handle(WM_SETCURSOR, &CImageEditView::OnSetCursor);
  Handle(kPlaceMarkMessage, &CImageEditView::OnPlaceMark);
}

fw::WindowClassSpec CImageEditView::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "Hoistly.ImageEditView";
  spec.background = nullptr;
  return spec;
}

HWND CImageEditView::Create(HWND parent, const RECT& rect, UINT id) {
  return Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, 0, &rect,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CImageEditView::SetPicture(const mb::Picture& working) {
  DropPreviews();
  working_ = &working;
  screenCopy_.Clear();
  ClearSelection();
  ZoomChanged();
}

void CImageEditView::ClearPicture() {
  DropPreviews();
  working_ = &kNoPicture;
  screenCopy_.Clear();
  ClearSelection();
  ZoomChanged();
}

SIZE CImageEditView::Drawn() const {
  if (fitMode_) {
    RECT client;
    GetClientRect(Handle(), &client);
    return {client.right, client.bottom};
  }
  const double zoom = host_.Zoom();
  return {mb::editor::ScaledSide(Displayed().Width(), zoom), mb::editor::ScaledSide(Displayed().Height(), zoom)};
}

POINT CImageEditView::Corner() const {
  RECT client;
  GetClientRect(Handle(), &client);
  const SIZE drawn = Drawn();
  const Point origin = mb::editor::DrawingOrigin(client.right, client.bottom, drawn.cx, drawn.cy);
  const POINT scroll = fitMode_ ? POINT{0, 0} : ScrollPosition();
  return {origin.x - scroll.x, origin.y - scroll.y};
}

void CImageEditView::ZoomChanged() {
  const SIZE drawn = Drawn();
  SetScrollSizes(fitMode_ ? 0 : drawn.cx, fitMode_ ? 0 : drawn.cy);
  markWnd_.SetBounds(Corner(), drawn);
  textWnd_.SetBounds(Corner(), drawn);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CImageEditView::OnViewSized(int, int) { ZoomChanged(); }

void CImageEditView::SetFitMode(bool fit) {
  fitMode_ = fit;
  ZoomChanged();
}

bool CImageEditView::SetFrame(const mb::Picture& frame) {
  if (!working_->IsValid() || !frame.IsValid()) return false;
  framed_ = *working_;
  hasFrame_ = true;
  if (!mb::editor::ApplyFrame(framed_, frame)) DropFrame();
  screenCopy_.Clear();
  InvalidateRect(Handle(), nullptr, FALSE);
  return hasFrame_;
}

void CImageEditView::DropFrame() {
  if (!hasFrame_) return;
  framed_.Clear();
  hasFrame_ = false;
  screenCopy_.Clear();
  InvalidateRect(Handle(), nullptr, FALSE);
}

POINT CImageEditView::CanvasPointOf(Point p) const {
  const double zoom = fitMode_ ? 1.0 : host_.Zoom();
  const POINT corner = Corner();
  return {corner.x + static_cast<LONG>(p.x * zoom) + mb::editor::kFloatMarginX,
          corner.y + static_cast<LONG>(p.y * zoom) + mb::editor::kFloatMarginY};
}

bool CImageEditView::ShowPictureMark(const mb::Picture& mark, int code) {
  Point at;
  if (!Displayed().IsValid() || !mb::editor::WatermarkPresetPoint(code, Displayed().Width(), Displayed().Height(), at))
    return false;
  const double zoom = host_.Zoom();
  const SIZE size = {mb::editor::ScaledSide(mark.Width(), zoom), mb::editor::ScaledSide(mark.Height(), zoom)};
  lastCode_ = code;
  return markWnd_.Show(Handle(), mark, CanvasPointOf(at), size, Corner(), Drawn());
}

void CImageEditView::PlacePictureMark(int code) {
  Point at;
  if (!markWnd_.IsShown() || !mb::editor::WatermarkPresetPoint(code, Displayed().Width(), Displayed().Height(), at))
    return;
  lastCode_ = code;
  MovePictureMarkTo(at);
}

void CImageEditView::MovePictureMarkTo(Point picturePoint) {
  if (!markWnd_.IsShown()) return;
  const POINT at = CanvasPointOf(picturePoint);
  SetWindowPos(markWnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CImageEditView::DropPictureMark() { markWnd_.Hide(); }

bool CImageEditView::ShowTextMark(const mb::Picture& text, Point picturePoint) {
  if (!Displayed().IsValid()) return false;
  const double zoom = host_.Zoom();
  const SIZE size = {mb::editor::ScaledSide(text.Width(), zoom), mb::editor::ScaledSide(text.Height(), zoom)};
  return textWnd_.Show(Handle(), text, CanvasPointOf(picturePoint), size, Corner(), Drawn());
}

void CImageEditView::DropTextMark() { textWnd_.Hide(); }

void CImageEditView::DropPreviews() {
  DropPictureMark();
  DropTextMark();
  DropFrame();
}

Point CImageEditView::PictureMarkComposePoint() const {
  mb::editor::ComposeInput in;
  in.windowPosition = markWnd_.PositionInPicture();
  in.zoom = host_.Zoom();
  in.width = Displayed().Width();
  in.height = Displayed().Height();
  in.markWidth = markWnd_.Picture().Width();
  in.markHeight = markWnd_.Picture().Height();
  in.fitMode = fitMode_;
  return mb::editor::WatermarkComposePoint(in);
}

Point CImageEditView::TextMarkPoint() const {
  return mb::editor::TextWatermarkPoint(textWnd_.PositionInPicture(), host_.Zoom());
}

mb::editor::CanvasView CImageEditView::View() const {
  RECT client;
  GetClientRect(Handle(), &client);
  const POINT corner = Corner();
  mb::editor::CanvasView view;
  view.pictureWidth = Displayed().Width();
  view.pictureHeight = Displayed().Height();
  view.zoom = host_.Zoom();
  view.origin = {corner.x, corner.y};  // scrolling is already in the corner
  view.fitMode = fitMode_;
  view.clientWidth = client.right;
  view.clientHeight = client.bottom;
  return view;
}

mb::PixelRect CImageEditView::Selection() const {
  if (tracker_.IsEmpty()) return {};
  const RECT& r = tracker_.rect;
  return mb::editor::CanvasToPicture({r.left, r.top, r.right, r.bottom}, View());
}

void CImageEditView::ClearSelection() {
  tracker_.rect = {0, 0, 0, 0};
  if (IsWindow()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CImageEditView::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  fw::Brush ground(CreateSolidBrush(kGround));
  FillRect(dc, &client, ground);
  if (!Displayed().IsValid()) return;
  const POINT corner = Corner();
  const SIZE drawn = Drawn();
  // A picture shown smaller than it is (the usual fitted photo) is shrunk once and then drawn
  // one to one: stretching all of its pixels at every paint is what made the first paint slow.
  const mb::Picture* shown = &Displayed();
  if (drawn.cx > 0 && drawn.cy > 0 && drawn.cx < Displayed().Width() && drawn.cy < Displayed().Height()) {
    if (screenCopy_.Width() != drawn.cx || screenCopy_.Height() != drawn.cy)
      screenCopy_ = mb::editor::ShrinkForScreen(Displayed(), drawn.cx, drawn.cy);
    if (screenCopy_.IsValid()) shown = &screenCopy_;
  }
  mb::DrawPicture(dc, *shown, corner.x, corner.y, drawn.cx, drawn.cy);
  RECT picture = {corner.x, corner.y, corner.x + drawn.cx, corner.y + drawn.cy};
  RECT overlap;
  if (!tracker_.IsEmpty() && IntersectRect(&overlap, &tracker_.rect, &picture) && EqualRect(&overlap, &tracker_.rect))
    tracker_.Draw(dc);
}

LRESULT CImageEditView::OnPaint(const fw::Message&) {
  fw::PaintDC paint(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  CMemDC buffer(paint, client);
  Paint(buffer);
  return 0;
}

LRESULT CImageEditView::OnPrintClient(const fw::Message& m) {
  Paint(reinterpret_cast<HDC>(m.wParam));
  return 0;
}

LRESULT CImageEditView::OnMouseMove(const fw::Message& m) {
  if (!Displayed().IsValid()) return 0;
  if (moving_ && (m.wParam & MK_LBUTTON)) {
    const POINT at = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    ScrollToPosition({pressScroll_.x - (at.x - pressPoint_.x), pressScroll_.y - (at.y - pressPoint_.y)});
    return 0;
  }
  const Point p = mb::editor::CanvasPointToPicture(
      {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))}, View());
  if (p.x < 0 || p.y < 0 || p.x >= Displayed().Width() || p.y >= Displayed().Height()) return 0;
  const mb::Rgba c = Displayed().GetPixelColor(p.x, p.y);
  char text[128];
  std::snprintf(text, sizeof text, "x: %d y: %d  idx: %d  RGBA: (%d, %d, %d, %d)", p.x, p.y,
                Displayed().GetPixelIndex(p.x, p.y), c.r, c.g, c.b, Displayed().GetPixelAlpha(p.x, p.y));
  host_.ShowPixelText(text);
  return 0;
}

LRESULT CImageEditView::OnLButtonDown(const fw::Message& m) {
  SetFocus(Handle());
  if (!Displayed().IsValid()) return 0;
  const POINT at = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  if (!host_.SelectionToolActive()) {
    // The move tool: dragging pulls the picture along under the mouse.
    pressPoint_ = at;
    pressScroll_ = ScrollPosition();
    moving_ = true;
    SetCapture(Handle());
    return 0;
  }
  if (tracker_.HitTest(at) == fw::RectTracker::kInside) {
    tracker_.Track(Handle(), at);
  } else if (!tracker_.TrackRubberBand(Handle(), at)) {
    ClearSelection();
  }
  InvalidateRect(Handle(), nullptr, FALSE);
  host_.SelectionChanged();
  return 0;
}

LRESULT CImageEditView::OnLButtonUp(const fw::Message&) {
  if (moving_) {
    moving_ = false;
    ReleaseCapture();
  }
  return 0;
}

LRESULT CImageEditView::OnCaptureChanged(const fw::Message&) {
  moving_ = false;  // a box or another window took the mouse: the drag is over
  return 0;
}

LRESULT CImageEditView::OnLButtonDoubleClick(const fw::Message&) {
  if (Displayed().IsValid() && !host_.SelectionToolActive()) SetFitMode(!fitMode_);
  return 0;
}

LRESULT CImageEditView::OnRButtonDown(const fw::Message& m) {
  POINT screen = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  ClientToScreen(Handle(), &screen);
  SendMessageA(GetParent(Handle()), kCanvasMenuMessage, 0, MAKELPARAM(screen.x, screen.y));
  return 0;
}

// The arrow keys scroll the picture a line, as the scroll bars' arrows do.
LRESULT CImageEditView::OnKeyDown(const fw::Message& m) {
  switch (m.wParam) {
    case VK_LEFT: Send(WM_HSCROLL, SB_LINELEFT); break;
    case VK_RIGHT: Send(WM_HSCROLL, SB_LINERIGHT); break;
    case VK_UP: Send(WM_VSCROLL, SB_LINEUP); break;
    case VK_DOWN: Send(WM_VSCROLL, SB_LINEDOWN); break;
    default: return CallDefault(m);
  }
  return 0;
}

LRESULT CImageEditView::OnSetCursor(const fw::Message& m) {
  if (host_.SelectionToolActive() && tracker_.SetCursor(Handle())) return TRUE;
  if (host_.SelectionToolActive() && LOWORD(m.lParam) == HTCLIENT) {
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    return TRUE;
  }
  return CallDefault(m);
}

LRESULT CImageEditView::OnPlaceMark(const fw::Message& m) {
  PlacePictureMark(static_cast<int>(m.wParam));
  return 0;
}
