// Window: a C++ object bound to one HWND. Messages go through the object's message map; what it
// does not handle goes to the default procedure (the class's, or the original one of a
// subclassed control). The object is found from its HWND through a window property, set from
// WM_NCCREATE (or on subclassing) and removed at WM_NCDESTROY.
#pragma once

#include <windows.h>

#include "framework/framework_api.h"
#include "framework/message_map.h"

namespace fw {

struct WindowClassSpec {
  const char* name = "fw.Window";
  UINT style = CS_DBLCLKS;
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  HCURSOR cursor = nullptr;  // null: the arrow
  HICON icon = nullptr;
};

class FW_API Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }

  // Creates the window with this object's class (registered on first use).
  HWND Create(HWND parent, const char* title, DWORD style, DWORD exStyle = 0, const RECT* rect = nullptr,
              HMENU menuOrId = nullptr);
  // Binds an existing window (typically a dialog control) and routes its messages through this
  // object. Returns false when the window is already bound.
  bool Subclass(HWND hwnd);
  void Destroy();

  static Window* FromHandle(HWND hwnd);

  // Before a message is dispatched, the window it is for and then each of its parents up to the
  // top-level window get it here; the first that returns true keeps it from being dispatched.
  virtual bool PreTranslateMessage(MSG& msg) { return false; }
  // Ahead of that walk, the same windows in the opposite order (the top-level window first) get
  // the message here: a window whose rules hold for every control inside it, whatever child
  // dialog holds the focus, keeps them here.
  virtual bool PreTranslateBeforeChildren(MSG& msg) { return false; }
  // Walks both chains for msg; true when a window took the message. Message loops call it, and
  // so do modal dialogs' loops, through a message filter hook while they run.
  static bool WalkPreTranslateChain(MSG& msg);

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(hwnd_, message, wParam, lParam);
  }
  BOOL Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(hwnd_, message, wParam, lParam);
  }

 protected:
  // Registration of handlers, in the derived class's constructor:
  //   Handle(WM_PAINT, &MyWindow::OnPaint);  Command(IDOK, &MyDialog::OnOK);
  template <class T>
  void Handle(UINT message, LRESULT (T::*handler)(const Message&)) {
    map_.OnMessage(message, [this, handler](const Message& m) { return (static_cast<T*>(this)->*handler)(m); });
  }
  template <class T>
  void Command(UINT id, void (T::*handler)()) {
    map_.OnCommand(id, [this, handler](UINT, HWND) { (static_cast<T*>(this)->*handler)(); });
  }
  template <class T>
  void Command(UINT id, UINT code, void (T::*handler)()) {
    map_.OnCommandCode(id, code, [this, handler](UINT, HWND) { (static_cast<T*>(this)->*handler)(); });
  }
  template <class T>
  void Notify(UINT id, UINT code, LRESULT (T::*handler)(NMHDR*)) {
    map_.OnNotify(id, code, [this, handler](NMHDR* h) { return (static_cast<T*>(this)->*handler)(h); });
  }
  MessageMap& Map() { return map_; }

  // The result the message would have without this object's handler; a handler may call it to
  // let the default processing run too.
  virtual LRESULT CallDefault(const Message& message);
  virtual WindowClassSpec ClassSpec() const { return {}; }
  // Called after WM_NCDESTROY, when the handle is gone; an object that owns itself deletes here.
  virtual void OnFinalMessage(HWND) {}

  // The object's handling of one message: its map, then reflection to the sending child.
  bool Route(const Message& message, LRESULT& result);
  void Bind(HWND hwnd);
  void Unbind();

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static bool ReflectToChild(const Message& message, LRESULT& result);
  ATOM RegisterClassOnce(const WindowClassSpec& spec);

  HWND hwnd_ = nullptr;
  WNDPROC originalProc_ = nullptr;  // set for subclassed windows
  MessageMap map_;
};

}  // namespace fw
