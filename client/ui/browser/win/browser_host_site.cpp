#include "client/ui/browser/win/browser_host_site.h"

#include <exdispid.h>
#include <olectl.h>

#include "client/ui/browser/win/web_browser_host.h"

namespace mb {

namespace {

std::string VariantText(const VARIANT* value) {
  if (!value) return {};
  if (value->vt == (VT_BYREF | VT_VARIANT)) return VariantText(value->pvarVal);
  if (value->vt == VT_BSTR) return WideToGbk(std::wstring_view(value->bstrVal ? value->bstrVal : L"",
                                                               SysStringLen(value->bstrVal)));
  if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal) {
    BSTR text = *value->pbstrVal;
    return WideToGbk(std::wstring_view(text ? text : L"", SysStringLen(text)));
  }
  return {};
}

}  // namespace

bool BrowserHostSite::CreateControl(HWND window) {
  window_ = window;
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.OutVoid())))
    return false;
  object_->SetClientSite(this);
  OleSetContainedObject(object_.Get(), TRUE);
  RECT rect{};
  GetClientRect(window, &rect);
  object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, window, &rect);
  browser_ = object_.As<IWebBrowser2>(IID_IWebBrowser2);
  if (!browser_) {
    DestroyControl();
    return false;
  }
  Connect(true);
  return true;
}

void BrowserHostSite::DestroyControl() {
  Connect(false);
  active_.Reset();
  if (inPlace_) inPlace_->InPlaceDeactivate();
  inPlace_.Reset();
  browser_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  object_.Reset();
  external_.Reset();
  host_ = nullptr;
}

void BrowserHostSite::Connect(bool advise) {
  if (!object_ || advise == (sinkCookie_ != 0)) return;
  auto container = object_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  ComPtr<IConnectionPoint> point;
  if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Out()))) return;
  if (advise) {
    if (FAILED(point->Advise(&sink_, &sinkCookie_))) sinkCookie_ = 0;
  } else {
    point->Unadvise(sinkCookie_);
    sinkCookie_ = 0;
  }
}

void BrowserHostSite::Resize(const RECT& rect) {
  if (inPlace_) inPlace_->SetObjectRects(&rect, &rect);
}

bool BrowserHostSite::ForwardMessage(MSG& msg) {
  if (!active_) active_ = browser_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
  return active_ && active_->TranslateAccelerator(&msg) == S_OK;
}

HRESULT BrowserHostSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *object = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *object = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    *object = static_cast<IOleInPlaceFrame*>(this);
  else if (iid == IID_IDocHostUIHandler)
    *object = static_cast<IDocHostUIHandler*>(this);
  else if (iid == IID_IDispatch)
    *object = static_cast<IDispatch*>(this);
  else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserHostSite::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT BrowserHostSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserHostSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserHostSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT BrowserHostSite::OnInPlaceActivate() {
  inPlace_ = object_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  return S_OK;
}

HRESULT BrowserHostSite::OnInPlaceDeactivate() {
  inPlace_.Reset();
  return S_OK;
}

HRESULT BrowserHostSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                          LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame) {
    *frame = this;
    AddRef();
  }
  if (doc) *doc = nullptr;
  RECT client{};
  GetClientRect(window_, &client);
  if (pos) *pos = client;
  if (clip) *clip = client;
  if (info) {
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(window_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT BrowserHostSite::OnPosRectChange(LPCRECT rect) {
  if (rect) Resize(*rect);
  return S_OK;
}

HRESULT BrowserHostSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  active_ = ComPtr<IOleInPlaceActiveObject>::Share(object);
  return S_OK;
}

HRESULT BrowserHostSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  // S_OK tells the control the host handled the menu, so none is shown.
  return contextMenuAllowed ? S_FALSE : S_OK;
}

HRESULT BrowserHostSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->dwFlags = hostFlags;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT BrowserHostSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key) *key = nullptr;
  return S_FALSE;
}

HRESULT BrowserHostSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
  if (target) *target = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserHostSite::GetExternal(IDispatch** external) {
  if (!external) return E_POINTER;
  *external = external_.Get();
  if (!*external) return S_FALSE;
  (*external)->AddRef();
  return S_OK;
}

HRESULT BrowserHostSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  if (out) *out = nullptr;
  return S_FALSE;
}

HRESULT BrowserHostSite::FilterDataObject(IDataObject*, IDataObject** out) {
  if (out) *out = nullptr;
  return S_FALSE;
}

HRESULT BrowserHostSite::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT BrowserHostSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (!result) return E_POINTER;
  switch (id) {
    case DISPID_AMBIENT_USERMODE:
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_TRUE;
      return S_OK;
    case DISPID_AMBIENT_MESSAGEREFLECT:
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_FALSE;
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT BrowserHostSite::EventSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserHostSite::EventSink::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT BrowserHostSite::EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                           EXCEPINFO*, UINT*) {
  if (!site_->host_) return S_OK;
  if (id != DISPID_DOCUMENTCOMPLETE) {
    site_->host_->OnBrowserEvent(id, params);
    return S_OK;
  }
  // DocumentComplete(pDisp, URL): the automation list holds the last argument first.
  if (!params || params->cArgs < 2) return S_OK;
  const VARIANT& frame = params->rgvarg[1];
  IDispatch* frameDispatch = frame.vt == VT_DISPATCH ? frame.pdispVal : nullptr;
  site_->host_->OnDocumentComplete(frameDispatch, VariantText(&params->rgvarg[0]));
  return S_OK;
}

}  // namespace mb
