#include "client/ui/progress/win/progress_bar_view.h"

#include "client/core/win/skin_engine.h"
#include "client/ui/progress/progress_bar_model.h"
#include "client/ui/skin/win/gdi_skin_canvas.h"
#include "framework/gdi.h"

namespace mb {
namespace {

constexpr COLORREF kTextColour = RGB(255, 123, 54);
constexpr unsigned kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

}  // namespace

ProgressBarView::ProgressBarView(int skinLayout) : layout_(skinLayout), position_(progress::kNoProgress) {
  Handle(WM_CREATE, &ProgressBarView::OnCreate);
  Handle(WM_PAINT, &ProgressBarView::OnPaint);
  Handle(WM_ERASEBKGND, &ProgressBarView::OnEraseBackground);
}

fw::WindowClassSpec ProgressBarView::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "mb.ProgressBarView";
  spec.style = 0;
  spec.background = nullptr;  // the paint covers the whole bar
  return spec;
}

void ProgressBarView::SetPos(int percent) {
  const int position = progress::ClampProgressPosition(percent);
  if (position_.exchange(position) != position && Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool ProgressBarView::WritesText() const { return progress::ProgressBarDrawsText(layout_, dialogStyle_); }

LRESULT ProgressBarView::OnCreate(const fw::Message& m) {
  position_ = progress::kNoProgress;
  return CallDefault(m);
}

LRESULT ProgressBarView::OnEraseBackground(const fw::Message&) { return TRUE; }

LRESULT ProgressBarView::OnPaint(const fw::Message&) {
  const int position = position_.load();
  {
    fw::PaintDC dc(Handle());
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    fw::MemoryDC buffer(dc);
    fw::Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (buffer && bitmap) {
      fw::ScopedSelect select(buffer, bitmap);
      PaintBar(buffer, width, height, position);
      BitBlt(dc, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
    }
  }
  // On the pages of layouts 2 and 3 the page shows the percentage in its own place.
  if (position >= 0 && !WritesText() && notify_) {
    SendMessageA(notify_, WM_PROGRESS_PERCENT, static_cast<WPARAM>(position), 0);
  }
  return 0;
}

void ProgressBarView::PaintBar(HDC dc, int width, int height, int position) const {
  const RECT all = {0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  SkinSchemeRef scheme;
  if (!scheme) return;
  skin::GdiSkinCanvas canvas(dc, scheme.Get());
  const char* background = dialogStyle_ ? "dlgprogress_bk" : "progress_bk";
  const char* fill = dialogStyle_ ? "dlgprogress_step" : "progress_step";
  if (const auto size = canvas.ImageSize(background)) {
    canvas.DrawBlits(background, progress::ProgressBackgroundBlits(*size, width, height));
  }
  if (position > 0) {
    if (const auto size = canvas.ImageSize(fill)) {
      canvas.DrawBlits(fill, progress::ProgressFillBlits(*size, progress::ProgressFilledWidth(width, position), height));
    }
  }
  if (position >= 0 && WritesText()) {
    canvas.DrawLabel(progress::ProgressText(position), {0, 0, width, height}, kTextFormat, kTextColour,
                    skin::SkinFont::kSongTi9);
  }
}

}  // namespace mb
