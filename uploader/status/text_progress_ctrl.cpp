#include "uploader/status/text_progress_ctrl.h"

#include <commctrl.h>

#include <cstring>

#include "framework/gdi.h"
#include "framework/module.h"
#include "uibase/win/mem_dc.h"
#include "upload/core/batch_progress.h"
#include "uploader/status/progress_figures.h"
#include "uploader/view_mediator.h"

CTextProgressCtrl::CTextProgressCtrl()
    : barColour_(GetSysColor(COLOR_HIGHLIGHT)),
      backColour_(GetSysColor(COLOR_WINDOW)),
      textOverBack_(GetSysColor(COLOR_HIGHLIGHT)),
      textOverBar_(GetSysColor(COLOR_WINDOW)) {
  Handle(PBM_SETRANGE, &CTextProgressCtrl::OnSetRange);
  Handle(PBM_SETRANGE32, &CTextProgressCtrl::OnSetRange32);
  Handle(PBM_GETRANGE, &CTextProgressCtrl::OnGetRange);
  Handle(PBM_SETPOS, &CTextProgressCtrl::OnSetPos);
  Handle(PBM_GETPOS, &CTextProgressCtrl::OnGetPos);
  Handle(PBM_SETSTEP, &CTextProgressCtrl::OnSetStep);
  Handle(PBM_STEPIT, &CTextProgressCtrl::OnStepIt);
  Handle(WM_SETTEXT, &CTextProgressCtrl::OnSetText);
  Handle(WM_GETTEXT, &CTextProgressCtrl::OnGetText);
  Handle(WM_GETTEXTLENGTH, &CTextProgressCtrl::OnGetTextLength);
  Handle(WM_SIZE, &CTextProgressCtrl::OnSize);
  Handle(WM_ERASEBKGND, &CTextProgressCtrl::OnEraseBkgnd);
  Handle(WM_PAINT, &CTextProgressCtrl::OnPaint);
}

CTextProgressCtrl::~CTextProgressCtrl() = default;

bool CTextProgressCtrl::Create(HWND parent, UINT id) {
  HWND control = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), fw::Module::Instance(), nullptr);
  return control && Subclass(control);
}

std::string CTextProgressCtrl::ShownText() const {
  if (!text_.empty()) return text_;
  const CViewMediator& views = CViewMediator::Get();
  return mb::upload::BatchProgress::PercentText(views.BlocksSent(), views.BlocksTotal());
}

int CTextProgressCtrl::BarWidth() const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  return hoistly::ProgressBarWidth(position_, lower_, upper_, client.right);
}

int CTextProgressCtrl::MoveTo(int position) {
  const int former = position_;
  position_ = position;
  if (BarWidth() != lastWidth_) {
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
  }
  return former;
}

LRESULT CTextProgressCtrl::OnSetRange(const fw::Message& m) {
  const LRESULT former = MAKELRESULT(lower_, upper_);
  lower_ = LOWORD(m.lParam);
  upper_ = HIWORD(m.lParam);
  return former;
}

LRESULT CTextProgressCtrl::OnSetRange32(const fw::Message& m) {
  const LRESULT former = MAKELRESULT(lower_, upper_);
  lower_ = static_cast<int>(m.wParam);
  upper_ = static_cast<int>(m.lParam);
  return former;
}

LRESULT CTextProgressCtrl::OnGetRange(const fw::Message& m) {
  if (auto* range = reinterpret_cast<PBRANGE*>(m.lParam)) {
    range->iLow = lower_;
    range->iHigh = upper_;
  }
  return m.wParam ? lower_ : upper_;
}

LRESULT CTextProgressCtrl::OnSetPos(const fw::Message& m) { return MoveTo(static_cast<int>(m.wParam)); }

LRESULT CTextProgressCtrl::OnGetPos(const fw::Message&) { return position_; }

LRESULT CTextProgressCtrl::OnSetStep(const fw::Message& m) {
  const int former = step_;
  step_ = static_cast<int>(m.wParam);
  return former;
}

LRESULT CTextProgressCtrl::OnStepIt(const fw::Message&) { return MoveTo(position_ + step_); }

LRESULT CTextProgressCtrl::OnSetText(const fw::Message& m) {
  const char* text = reinterpret_cast<const char*>(m.lParam);
  const std::string next = text ? text : "";
  if (next != text_) {
    text_ = next;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
  }
  return TRUE;
}

// Copies what fits with its terminating zero; answers the characters copied.
LRESULT CTextProgressCtrl::OnGetText(const fw::Message& m) {
  char* buffer = reinterpret_cast<char*>(m.lParam);
  const size_t room = static_cast<size_t>(m.wParam);
  if (!buffer || room == 0) return 0;
  const size_t count = text_.size() < room - 1 ? text_.size() : room - 1;
  std::memcpy(buffer, text_.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT CTextProgressCtrl::OnGetTextLength(const fw::Message&) { return static_cast<LRESULT>(text_.size()); }

LRESULT CTextProgressCtrl::OnSize(const fw::Message& m) {
  lastWidth_ = -1;
  return CallDefault(m);
}

LRESULT CTextProgressCtrl::OnEraseBkgnd(const fw::Message&) { return 1; }

LRESULT CTextProgressCtrl::OnPaint(const fw::Message&) {
  fw::PaintDC target(Handle());
  const int width = BarWidth();
  lastWidth_ = width;
  if (width < 0) return 0;  // an empty range: nothing at all
  RECT client;
  GetClientRect(Handle(), &client);
  CMemDC dc(target, client);
  Draw(dc, client);
  return 0;
}

void CTextProgressCtrl::Draw(HDC dc, const RECT& client) const {
  const int width = BarWidth();
  RECT bar = client, rest = client;
  bar.right = client.left + width;
  rest.left = bar.right;
  {
    fw::Brush barBrush(CreateSolidBrush(barColour_)), backBrush(CreateSolidBrush(backColour_));
    FillRect(dc, &bar, barBrush);
    FillRect(dc, &rest, backBrush);
  }
  if (!showText_) return;
  const std::string text = ShownText();
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(Handle()), WM_GETFONT, 0, 0));
  fw::ScopedSelect selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  for (const auto& [part, colour] : {std::pair{bar, textOverBar_}, std::pair{rest, textOverBack_}}) {
    if (part.right <= part.left) continue;
    SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, colour);
    RECT place = client;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
    RestoreDC(dc, -1);
  }
}
