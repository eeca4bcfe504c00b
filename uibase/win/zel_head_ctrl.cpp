#include "uibase/win/zel_head_ctrl.h"

#include <commctrl.h>

#include "framework/gdi.h"
#include "framework/module.h"
#include "uibase/win/mem_dc.h"
#include "uibase/win/zelbase_resources.h"

namespace {
constexpr int kStripHeight = 22;
constexpr int kCloseSize = 16;
}  // namespace

CZELHeadCtrl::CZELHeadCtrl() { Register(); }

CZELHeadCtrl::CZELHeadCtrl(const fw::CString& title) : title_(title) { Register(); }

CZELHeadCtrl::~CZELHeadCtrl() {
  if (IsWindow()) {
    HWND hwnd = Handle();
    Unbind();
    DestroyWindow(hwnd);
  }
}

void CZELHeadCtrl::Register() {
  Handle(WM_PAINT, &CZELHeadCtrl::OnPaint);
  Handle(WM_SIZE, &CZELHeadCtrl::OnSize);
  Handle(WM_LBUTTONDOWN, &CZELHeadCtrl::OnLButtonDown);
  // The header's own notifications, when its parent passes them back: tracking and item changes
  // go ahead.
  Handle(fw::kReflectBase + WM_NOTIFY, &CZELHeadCtrl::OnHeaderNotify);
}

bool CZELHeadCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND hwnd = CreateWindowExA(0, WC_HEADERA, nullptr, style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              fw::Module::Instance(), nullptr);
  if (!hwnd) return false;
  if (!Subclass(hwnd) || !CreateCloseButton()) {
    Unbind();
    DestroyWindow(hwnd);
    return false;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  return true;
}

bool CZELHeadCtrl::CreateCloseButton() {
  const RECT square{0, 0, kCloseSize, kCloseSize};
  if (!closeButton_.Create("", WS_CHILD | WS_VISIBLE, square, Handle(), kCloseButtonId)) return false;
  closeButton_.SetToolTipText("button");
  // The close image is this library's own, whatever the program's resources hold under its id.
  closeButton_.SetResourceModule(fw::ThisModule());
  closeButton_.SetSkin(IDB_HEAD_CLOSE, IDB_HEAD_CLOSE, IDB_HEAD_CLOSE, IDB_HEAD_CLOSE, 0, IDB_HEAD_CLOSE, 0, 0, 0);
  return true;
}

void CZELHeadCtrl::ShowCloseBtn(int show) {
  if (closeButton_.IsWindow()) ShowWindow(closeButton_, show ? SW_SHOW : SW_HIDE);
}

LRESULT CZELHeadCtrl::OnSize(const fw::Message& message) {
  const LRESULT result = CallDefault(message);
  if (closeButton_.IsWindow()) {
    const int width = static_cast<short>(LOWORD(message.lParam));
    MoveWindow(closeButton_, width - 18, 3, kCloseSize, kCloseSize, TRUE);
  }
  return result;
}

LRESULT CZELHeadCtrl::OnPaint(const fw::Message&) {
  fw::PaintDC paint(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  CMemDC dc(paint, client);
  {
    // The strip's top 22 rows, one column copied across the whole width.
    fw::Bitmap strip(LoadBitmapA(fw::ThisModule(), MAKEINTRESOURCEA(IDB_HEAD_BAR)));
    if (strip) {
      fw::MemoryDC source(dc);
      fw::ScopedSelect selected(source, strip);
      for (int x = client.left; x < client.right; ++x) BitBlt(dc, x, 0, 1, kStripHeight, source, 0, 0, SRCCOPY);
    }
  }
  LOGFONTA logFont = {};
  logFont.lfHeight = 12;
  lstrcpynA(logFont.lfFaceName, "宋体", LF_FACESIZE);
  fw::Font font(CreateFontIndirectA(&logFont));
  fw::ScopedSelect selectedFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT textRect = client;
  textRect.left += 10;
  textRect.top += 6;
  if (!title_.IsEmpty()) DrawTextA(dc, title_, title_.GetLength(), &textRect, 0);
  return 0;
}

LRESULT CZELHeadCtrl::OnLButtonDown(const fw::Message& message) {
  POINT cursor;
  GetCursorPos(&cursor);
  RECT square;
  HWND self = Handle();
  // The square counts even where the close image is cut away, and while the button is hidden.
  if (closeButton_.IsWindow() && GetWindowRect(closeButton_, &square) && PtInRect(&square, cursor)) {
    SendMessageA(GetParent(self), WM_HEAD_CLOSE, 0, 0);
    if (!::IsWindow(self) || FromHandle(self) != this) return 0;
  }
  return CallDefault(message);
}

LRESULT CZELHeadCtrl::OnHeaderNotify(const fw::Message& message) {
  auto* header = reinterpret_cast<NMHEADERA*>(message.lParam);
  switch (header->hdr.code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
      lastChangingItem_ = header->iItem;
      return 0;
    default:
      return 0;  // begin-track and the rest go ahead
  }
}
