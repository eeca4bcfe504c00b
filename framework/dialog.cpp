#include "framework/dialog.h"

#include "framework/module.h"

namespace fw {

namespace {
// Messages whose dialog-procedure result is the message result itself, not DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}
// While a modal dialog runs, the system's dialog loop dispatches; a message filter hook gives the
// windows' pre-translate chain its turn there. One hook per thread, kept while any modal dialog
// of the thread runs.
thread_local HHOOK modalHook = nullptr;
thread_local int modalDepth = 0;

LRESULT CALLBACK ModalFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && lParam && Window::WalkPreTranslateChain(*reinterpret_cast<MSG*>(lParam))) return 1;
  return CallNextHookEx(modalHook, code, wParam, lParam);
}

class ModalFilterScope {
 public:
  ModalFilterScope() {
    if (modalDepth++ == 0) modalHook = SetWindowsHookExA(WH_MSGFILTER, ModalFilterProc, nullptr, GetCurrentThreadId());
  }
  ~ModalFilterScope() {
    if (--modalDepth == 0 && modalHook) {
      UnhookWindowsHookEx(modalHook);
      modalHook = nullptr;
    }
  }
  ModalFilterScope(const ModalFilterScope&) = delete;
  ModalFilterScope& operator=(const ModalFilterScope&) = delete;
};
}  // namespace

Dialog::~Dialog() {
  if (loop_) loop_->RemoveFilter(this);
  if (IsWindow()) {
    HWND hwnd = Handle();
    Unbind();
    DestroyWindow(hwnd);
  }
}

HINSTANCE Dialog::TemplateModule() const { return resources_ ? resources_ : Module::ResourceInstance(); }

INT_PTR Dialog::DoModal(HWND owner) {
  modal_ = true;
  ModalFilterScope filter;
  INT_PTR result = DialogBoxParamA(TemplateModule(), MAKEINTRESOURCEA(templateId_), owner,
                                   StaticDialogProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

HWND Dialog::Create(HWND owner) {
  modal_ = false;
  HWND hwnd = CreateDialogParamA(TemplateModule(), MAKEINTRESOURCEA(templateId_), owner,
                                 StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd) {
    loop_ = Module::GetMessageLoop();
    if (loop_) loop_->AddFilter(this);
  }
  return hwnd;
}

void Dialog::EndDialog(INT_PTR code) {
  if (!IsWindow()) return;
  if (modal_) {
    ::EndDialog(Handle(), code);
  } else {
    DestroyWindow(Handle());
  }
}

LRESULT Dialog::CallDefault(const Message&) {
  wantsDefault_ = true;
  return 0;
}

bool Dialog::PreTranslateMessage(MSG& msg) {
  if (!IsWindow()) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  return IsDialogMessageA(Handle(), &msg) != FALSE;
}

bool Dialog::HandleDefaultCommand(const Message& m) {
  if (m.id != WM_COMMAND || !modal_) return false;
  const UINT id = LOWORD(m.wParam);
  if (id != IDOK && id != IDCANCEL) return false;
  ::EndDialog(Handle(), id);
  return true;
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = static_cast<Dialog*>(FromHandle(hwnd));
  if (!self && message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    if (self) self->Bind(hwnd);
  }
  if (!self) return FALSE;

  const Message m{message, wParam, lParam};
  LRESULT result = 0;
  self->wantsDefault_ = false;
  bool handled = self->Route(m, result) && !self->wantsDefault_;
  if (!handled && !self->wantsDefault_) handled = self->HandleDefaultCommand(m);
  if (message == WM_INITDIALOG && !handled) {
    result = TRUE;  // let the dialog manager set the focus
    handled = true;
  }

  if (message == WM_NCDESTROY) {
    if (self->loop_) {
      self->loop_->RemoveFilter(self);
      self->loop_ = nullptr;
    }
    self->Unbind();
    self->OnFinalMessage(hwnd);
    return FALSE;
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace fw
