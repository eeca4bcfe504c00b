// WebBrowserHost: a child window that holds the system's WebBrowser control as an in-place
// active object. The window is the control's whole container: client site, in-place site and
// frame, the doc-host UI handler (window.external, host flags, no context menu unless allowed)
// and the DWebBrowserEvents2 sink. Every page and dialog that shows the service's pages uses it.
//
// UI thread only (the control is apartment-threaded).
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>

#include <string>

#include "framework/window.h"

namespace mb {

// The framework's forward message: sent to a host window with lParam = the MSG of a keyboard or
// mouse message; a non-zero answer means the page took it and the message must not be dispatched.
constexpr UINT WM_FORWARD_TO_BROWSER = 0x37F;

// What a window that shows a browser hears from it (UI thread).
class BrowserEventListener {
 public:
  virtual ~BrowserEventListener() = default;
  // DocumentComplete; topLevel when the completed document is the control's own (not a frame's).
  virtual void OnDocumentComplete(bool topLevel, const std::string& url) = 0;
};

class BrowserHostSite;

class WebBrowserHost : public fw::Window {
 public:
  WebBrowserHost();
  ~WebBrowserHost() override;

  // Creates the host window as a child of parent in rect (parent's client coordinates), the
  // control inside it, and navigates to address when it is not empty. Null when the window or
  // the control cannot be made.
  HWND Create(HWND parent, const RECT& rect, const std::string& address,
              DWORD style = WS_CHILD | WS_VISIBLE, UINT id = 0);

  bool Navigate(const std::string& address);
  // The object page script reaches as window.external; held with one reference until replaced,
  // removed (null) or the window is destroyed.
  void SetExternalDispatch(IDispatch* external);
  IDispatch* ExternalDispatch() const;
  // DOCHOSTUIFLAG_* values the control receives from GetHostInfo.
  void SetHostFlags(DWORD flags);
  DWORD HostFlags() const;
  // The control's own context menu; off unless allowed.
  void AllowContextMenu(bool allow);
  bool ContextMenuAllowed() const;
  // Not owned; null stops the events reaching anyone. Must outlive the host window or be reset.
  void SetListener(BrowserEventListener* listener);

  // The page set-up the service pages share: the browser is no drop target, no context menu,
  // the theme flag is added to the host flags.
  void SetupControl();
  // The control's browser interface, not AddRef'ed; null when there is no control.
  IWebBrowser2* Browser() const;
  // The current page's HTML document, AddRef'ed (the caller releases it); null when none.
  IHTMLDocument2* GetDocument() const;
  bool IsBusy() const;

  // Hands a keyboard message to the page (the control's accelerator handling); true when the
  // page took it. WM_FORWARD_TO_BROWSER to the host window does the same for any window.
  bool ForwardMessage(MSG& msg);

  // The control's DocumentComplete as the event sink delivers it. Wine never completes a page,
  // so tests drive the pages through here.
  void OnDocumentComplete(IDispatch* frame, const std::string& url);
  // Every other DWebBrowserEvents2 event of the control, as the sink delivers it; nothing here.
  virtual void OnBrowserEvent(DISPID id, DISPPARAMS* params) {}
  // The host's DWebBrowserEvents2 sink (not AddRef'ed): tests call its Invoke as the control would.
  IDispatch* EventSink() const;

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnForward(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);

  BrowserHostSite* site_ = nullptr;  // the container's COM object; one reference held here
  BrowserEventListener* listener_ = nullptr;
};

}  // namespace mb
