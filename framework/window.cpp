#include "framework/window.h"

#include "framework/module.h"

namespace fw {

namespace {
const char kObjectProperty[] = "fw.Window.Object";

// The child that a notification or owner-draw message comes from, or null.
HWND SenderOf(const Message& m) {
  switch (m.id) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(m.lParam);
    case WM_NOTIFY:
      return m.lParam ? reinterpret_cast<NMHDR*>(m.lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
      return m.lParam ? reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(m.lParam);
    default:
      return nullptr;
  }
}
}  // namespace

Window::~Window() {
  // An object destroyed while its window lives must not be reached through the window again.
  if (hwnd_) Unbind();
}

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Window*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void Window::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropA(hwnd, kObjectProperty, this);
}

void Window::Unbind() {
  if (originalProc_ && ::IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
  }
  originalProc_ = nullptr;
  if (::IsWindow(hwnd_)) RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
}

ATOM Window::RegisterClassOnce(const WindowClassSpec& spec) {
  WNDCLASSEXA existing = {sizeof existing};
  if (ATOM atom = static_cast<ATOM>(GetClassInfoExA(Module::Instance(), spec.name, &existing))) return atom;
  WNDCLASSEXA wc = {sizeof wc};
  wc.style = spec.style;
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = Module::Instance();
  wc.hCursor = spec.cursor ? spec.cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = spec.background;
  wc.hIcon = spec.icon;
  wc.lpszClassName = spec.name;
  return RegisterClassExA(&wc);
}

HWND Window::Create(HWND parent, const char* title, DWORD style, DWORD exStyle, const RECT* rect, HMENU menuOrId) {
  const WindowClassSpec spec = ClassSpec();
  if (!RegisterClassOnce(spec)) return nullptr;
  RECT r = rect ? *rect : RECT{static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0};
  const bool useDefault = rect == nullptr;
  return CreateWindowExA(exStyle, spec.name, title, style, r.left, r.top,
                         useDefault ? static_cast<int>(CW_USEDEFAULT) : r.right - r.left,
                         useDefault ? static_cast<int>(CW_USEDEFAULT) : r.bottom - r.top, parent, menuOrId,
                         Module::Instance(), this);
}

bool Window::Subclass(HWND hwnd) {
  if (!hwnd || FromHandle(hwnd) || hwnd_) return false;
  Bind(hwnd);
  originalProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWindowProc)));
  return true;
}

void Window::Destroy() {
  if (IsWindow()) DestroyWindow(hwnd_);
}

LRESULT Window::CallDefault(const Message& m) {
  if (originalProc_) return CallWindowProcA(originalProc_, hwnd_, m.id, m.wParam, m.lParam);
  return DefWindowProcA(hwnd_, m.id, m.wParam, m.lParam);
}

bool Window::WalkPreTranslateChain(MSG& msg) {
  // A message filter hook can bring the message being walked back here (IsDialogMessage calls
  // the hook, possibly with a copy of the message); it is walked once.
  static thread_local const MSG* walking = nullptr;
  auto same = [](const MSG& a, const MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
  };
  if (walking && same(*walking, msg)) return false;
  const MSG* outer = walking;
  walking = &msg;
  // The message's window, then its parents up to the top-level one (every message of the loop
  // comes here: no allocation).
  constexpr int kMaxDepth = 32;
  HWND chain[kMaxDepth];
  int depth = 0;
  for (HWND hwnd = msg.hwnd; hwnd && depth < kMaxDepth; hwnd = GetParent(hwnd)) {
    chain[depth++] = hwnd;
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) break;
  }
  bool taken = false;
  for (int i = depth - 1; i >= 0 && !taken; --i) {
    if (Window* window = FromHandle(chain[i])) taken = window->PreTranslateBeforeChildren(msg);
  }
  for (int i = 0; i < depth && !taken; ++i) {
    if (Window* window = FromHandle(chain[i])) taken = window->PreTranslateMessage(msg);
  }
  walking = outer;
  return taken;
}

bool Window::ReflectToChild(const Message& m, LRESULT& result) {
  Window* child = FromHandle(SenderOf(m));
  if (!child) return false;
  return child->map_.Dispatch({kReflectBase + m.id, m.wParam, m.lParam}, result);
}

bool Window::Route(const Message& m, LRESULT& result) {
  return map_.Dispatch(m, result) || ReflectToChild(m, result);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) self->Bind(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);

  const Message m{message, wParam, lParam};
  LRESULT result = 0;
  if (!self->Route(m, result)) result = self->CallDefault(m);
  if (message == WM_NCDESTROY) {
    self->Unbind();
    self->OnFinalMessage(hwnd);
  }
  return result;
}

}  // namespace fw
