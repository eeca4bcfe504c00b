#include "client/ui/browser/win/web_browser_host.h"

#include <mshtmhst.h>

#include "client/ui/browser/win/browser_host_site.h"
#include "common/win/com_ptr.h"

namespace mb {

WebBrowserHost::WebBrowserHost() : site_(new BrowserHostSite(this)) {
  Handle(WM_SIZE, &WebBrowserHost::OnSize);
  Handle(WM_FORWARD_TO_BROWSER, &WebBrowserHost::OnForward);
  Handle(WM_DESTROY, &WebBrowserHost::OnDestroy);
}

WebBrowserHost::~WebBrowserHost() {
  if (IsWindow()) Destroy();
  site_->DestroyControl();
  site_->Release();
}

fw::WindowClassSpec WebBrowserHost::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "mb.WebBrowserHost";
  spec.background = nullptr;  // the control paints the whole area
  return spec;
}

HWND WebBrowserHost::Create(HWND parent, const RECT& rect, const std::string& address, DWORD style, UINT id) {
  HWND window = Window::Create(parent, "", style | WS_CLIPCHILDREN, 0, &rect,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
  if (!window) return nullptr;
  if (!site_->CreateControl(window)) {
    Destroy();
    return nullptr;
  }
  if (!address.empty()) Navigate(address);
  return window;
}

bool WebBrowserHost::Navigate(const std::string& address) {
  IWebBrowser2* browser = Browser();
  if (!browser) return false;
  BStr url = BStr::FromGbk(address);
  if (!url.Get()) return false;
  VARIANT empty;
  VariantInit(&empty);
  return SUCCEEDED(browser->Navigate(url.Get(), &empty, &empty, &empty, &empty));
}

void WebBrowserHost::SetExternalDispatch(IDispatch* external) { site_->SetExternal(external); }
IDispatch* WebBrowserHost::ExternalDispatch() const { return site_->External(); }
void WebBrowserHost::SetHostFlags(DWORD flags) { site_->hostFlags = flags; }
DWORD WebBrowserHost::HostFlags() const { return site_->hostFlags; }
void WebBrowserHost::AllowContextMenu(bool allow) { site_->contextMenuAllowed = allow; }
bool WebBrowserHost::ContextMenuAllowed() const { return site_->contextMenuAllowed; }
void WebBrowserHost::SetListener(BrowserEventListener* listener) { listener_ = listener; }
IWebBrowser2* WebBrowserHost::Browser() const { return site_->Browser(); }
IDispatch* WebBrowserHost::EventSink() const { return site_->Sink(); }

void WebBrowserHost::SetupControl() {
  if (IWebBrowser2* browser = Browser()) browser->put_RegisterAsDropTarget(VARIANT_FALSE);
  site_->contextMenuAllowed = false;
  site_->hostFlags |= DOCHOSTUIFLAG_THEME;
}

IHTMLDocument2* WebBrowserHost::GetDocument() const {
  IWebBrowser2* browser = Browser();
  if (!browser) return nullptr;
  ComPtr<IDispatch> document;
  if (FAILED(browser->get_Document(document.Out())) || !document) return nullptr;
  return document.As<IHTMLDocument2>(IID_IHTMLDocument2).Detach();
}

bool WebBrowserHost::IsBusy() const {
  VARIANT_BOOL busy = VARIANT_FALSE;
  IWebBrowser2* browser = Browser();
  return browser && SUCCEEDED(browser->get_Busy(&busy)) && busy != VARIANT_FALSE;
}

bool WebBrowserHost::ForwardMessage(MSG& msg) { return site_->ForwardMessage(msg); }

void WebBrowserHost::OnDocumentComplete(IDispatch* frame, const std::string& url) {
  bool topLevel = true;
  if (frame) {
    // The control's own document: the frame's identity is the browser's.
    ComPtr<IUnknown> frameIdentity = ComPtr<IDispatch>::Share(frame).As<IUnknown>(IID_IUnknown);
    ComPtr<IUnknown> ownIdentity;
    if (IWebBrowser2* browser = Browser()) browser->QueryInterface(IID_IUnknown, ownIdentity.OutVoid());
    topLevel = frameIdentity.Get() == ownIdentity.Get();
  }
  if (listener_) listener_->OnDocumentComplete(topLevel, url);
}

LRESULT WebBrowserHost::OnSize(const fw::Message&) {
  RECT rect{};
  GetClientRect(Handle(), &rect);
  site_->Resize(rect);
  return 0;
}

LRESULT WebBrowserHost::OnForward(const fw::Message& m) {
  MSG* msg = reinterpret_cast<MSG*>(m.lParam);
  return msg && ForwardMessage(*msg) ? 1 : 0;
}

LRESULT WebBrowserHost::OnDestroy(const fw::Message&) {
  site_->DestroyControl();
  return 0;
}

}  // namespace mb
