#include "client/ui/float/win/float_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <vector>

#include "client/core/client_config.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/tray_frame.h"
#include "client/core/win/wallpaper_carousel.h"
#include "client/ui/float/drop_decision.h"
#include "client/ui/res/resource.h"
#include "client/ui/win/small_window_calls.h"
#include "framework/module.h"

namespace mb {

namespace {

const char kMessageCaption[] = "墨岚屏[Pelora]-系统消息";
const char kToolTipText[] = "Pelora 墨岚屏";
constexpr UINT kBatchUploadCommand = 32828;

std::unique_ptr<FloatWindow>& TheFloatWindow() {
  static std::unique_ptr<FloatWindow> window;
  return window;
}

void StepTrayCarousel(int step) {
  if (TrayFrame* frame = GetTrayFrame()) {
    if (WallpaperCarousel* carousel = frame->Carousel()) carousel->StepWallpaper(step);
  }
}

}  // namespace

FloatWindow::FloatWindow(FloatWindowLinks links)
    : links_(std::move(links)), oleStarted_(OleInitialize(nullptr)), skin_(GetClientConfig()->skinLayout) {
  if (!links_.stepWallpaper) links_.stepWallpaper = StepTrayCarousel;
  Handle(WM_ERASEBKGND, &FloatWindow::OnEraseBackground);
  Handle(WM_LBUTTONDOWN, &FloatWindow::OnLButtonDown);
  Handle(WM_LBUTTONUP, &FloatWindow::OnMouse);
  Handle(WM_MOUSEMOVE, &FloatWindow::OnMouse);
  Handle(WM_LBUTTONDBLCLK, &FloatWindow::OnLButtonDoubleClick);
  Handle(WM_CONTEXTMENU, &FloatWindow::OnContextMenu);
  Handle(WM_ACTIVATE, &FloatWindow::OnActivate);
  Handle(WM_NOTIFY, &FloatWindow::OnNotify);
  Handle(WM_COMMAND, &FloatWindow::OnCommand);
  Handle(WM_TIMER, &FloatWindow::OnTimer);
  Handle(WM_DESTROY, &FloatWindow::OnDestroy);
}

FloatWindow::~FloatWindow() {
  // The drop target is revoked with the window, before OLE ends on this thread.
  if (IsWindow()) DestroyWindow(Handle());
  if (SUCCEEDED(oleStarted_)) OleUninitialize();
}

fw::WindowClassSpec FloatWindow::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "MuralboxFloatWindow";
  spec.style = CS_DBLCLKS;
  spec.background = nullptr;
  return spec;
}

HWND FloatWindow::Create(HWND owner, bool show) {
  owner_ = owner;
  int width = kDefaultWidth, height = kDefaultHeight;
  HRGN outline = nullptr;
  {
    SkinSchemeRef scheme;
    RECT size{};
    if (scheme && SUCCEEDED(scheme->GetImageRect(&size, "float_bk")) && size.right > 0 && size.bottom > 0) {
      width = size.right;
      height = size.bottom;
      outline = scheme->GetImageRegion("float_bk");
    }
  }
  const int left = GetSystemMetrics(SM_CXSCREEN) - kRightMargin;
  const RECT place{left, kTop, left + width, kTop + height};
  if (!fw::Window::Create(owner, "", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, &place)) {
    if (outline) DeleteObject(outline);
    return nullptr;
  }
  // The window owns its region from here on.
  if (outline && !SetWindowRgn(Handle(), outline, FALSE)) DeleteObject(outline);
  if (show) ShowWindow(Handle(), SW_SHOW);
  dropTargetRegistered_ = SUCCEEDED(RegisterDragDrop(Handle(), this));
  if (tip_.Create(Handle())) tip_.AddWindowTool(Handle(), LPSTR_TEXTCALLBACKA);
  skin_.Attach(Handle());
  skin_.AddLayoutElements(skin::SkinWindow::kFloatWindow);
  return Handle();
}

LRESULT FloatWindow::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  {
    SkinSchemeRef scheme;
    if (scheme) scheme->DrawImage(dc, "float_bk", 0, 0, 0, 0, SRCCOPY);
  }
  skin_.Draw(dc);
  return 1;
}

LRESULT FloatWindow::OnLButtonDown(const fw::Message& m) {
  if (skin_.OnMouseMessage(m.id, m.wParam, m.lParam) != -1) return 0;
  SendMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  RECT place{};
  GetWindowRect(Handle(), &place);
  GetClientConfig()->floatWindowPosition = floatbox::PackFloatPosition(place.left, place.top);
  return 0;
}

LRESULT FloatWindow::OnMouse(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT FloatWindow::OnLButtonDoubleClick(const fw::Message&) {
  if (owner_) {
    if (!IsWindowVisible(owner_)) {
      ShowWindow(owner_, SW_SHOWNORMAL);
    } else if (IsIconic(owner_)) {
      SendMessageA(owner_, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (activatedFromOtherThread_) {
      SetActiveWindow(owner_);
    } else {
      SendMessageA(owner_, kOwnerNudgeMessage, 0, 0);
    }
  }
  activatedFromOtherThread_ = false;
  return 0;
}

LRESULT FloatWindow::OnContextMenu(const fw::Message& m) {
  POINT at{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
  const HMENU menu = LoadMenuA(fw::Module::ResourceInstance(), MAKEINTRESOURCEA(IDR_FLOAT_MENU));
  if (!menu) return 0;
  if (const HMENU items = GetSubMenu(menu, 0)) {
    if (!GetClientConfig()->loggedIn) EnableMenuItem(items, kBatchUploadCommand, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
    TrackPopupMenu(items, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner_ ? owner_ : Handle(), nullptr);
  }
  DestroyMenu(menu);
  return 0;
}

LRESULT FloatWindow::OnActivate(const fw::Message& m) {
  const HWND previous = reinterpret_cast<HWND>(m.lParam);
  if (LOWORD(m.wParam) == WA_CLICKACTIVE && previous &&
      GetWindowThreadProcessId(previous, nullptr) != GetCurrentThreadId())
    activatedFromOtherThread_ = true;
  return 0;
}

LRESULT FloatWindow::OnNotify(const fw::Message& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  if (!header || header->code != TTN_GETDISPINFOA) return 0;
  reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(kToolTipText);  // read only
  SendMessageA(header->hwndFrom, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  return 0;
}

LRESULT FloatWindow::OnCommand(const fw::Message& m) {
  const UINT id = LOWORD(m.wParam);
  if (id == kPreviousWallpaper) links_.stepWallpaper(-1);
  if (id == kNextWallpaper) links_.stepWallpaper(+1);
  return 0;
}

LRESULT FloatWindow::OnTimer(const fw::Message&) { return 0; }

LRESULT FloatWindow::OnDestroy(const fw::Message&) {
  skin_.Elements().RemoveAll();
  if (dropTargetRegistered_) RevokeDragDrop(Handle());
  dropTargetRegistered_ = false;
  tip_.Destroy();
  return 0;
}

STDMETHODIMP FloatWindow::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FloatWindow::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
STDMETHODIMP_(ULONG) FloatWindow::Release() { return static_cast<ULONG>(InterlockedDecrement(&references_)); }

STDMETHODIMP FloatWindow::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = floatbox::AcceptedDropEffect(*effect);
  return S_OK;
}

STDMETHODIMP FloatWindow::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = floatbox::AcceptedDropEffect(*effect);
  return S_OK;
}

STDMETHODIMP FloatWindow::DragLeave() { return S_OK; }

bool FloatWindow::ReadDroppedFiles(IDataObject* data, std::size_t& count, std::string& first) {
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (!data || data->QueryGetData(&format) != S_OK || FAILED(data->GetData(&format, &medium))) return false;
  bool read = false;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count > 0) {
      std::vector<char> name(DragQueryFileA(drop, 0, nullptr, 0) + 1, '\0');
      DragQueryFileA(drop, 0, name.data(), static_cast<UINT>(name.size()));
      first = name.data();
    }
    read = true;
  }
  // The data object's medium goes back to it; freeing the list ourselves would free it twice.
  ReleaseStgMedium(&medium);
  return read;
}

STDMETHODIMP FloatWindow::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (!effect || floatbox::AcceptedDropEffect(*effect) == floatbox::kDropEffectNone) return S_OK;
  std::size_t count = 0;
  std::string first;
  if (!ReadDroppedFiles(data, count, first)) return S_OK;
  const floatbox::DropDecision decision = floatbox::DecideFileDrop(count, first);
  if (decision.action == floatbox::DropAction::kNotAPicture) {
    MessageBoxA(nullptr, decision.message.c_str(), kMessageCaption, MB_ICONHAND);
  } else if (decision.action == floatbox::DropAction::kOpenPicture && links_.openPicture) {
    links_.openPicture(decision.path);
  }
  return S_OK;
}

FloatWindow* CreateFloatWindow(HWND owner, bool show, FloatWindowLinks links) {
  auto& window = TheFloatWindow();
  window.reset();
  window = std::make_unique<FloatWindow>(std::move(links));
  if (!window->Create(owner, show)) window.reset();
  return window.get();
}

void DestroyFloatWindow() { TheFloatWindow().reset(); }

FloatWindow* CurrentFloatWindow() { return TheFloatWindow().get(); }

void SetFloatWindowShown(bool shown) {
  if (FloatWindow* window = CurrentFloatWindow(); window && window->IsWindow())
    ShowWindow(window->Handle(), shown ? SW_SHOW : SW_HIDE);
}

}  // namespace mb
