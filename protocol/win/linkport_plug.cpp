#include "protocol/win/linkport_plug.h"

#include <oleauto.h>

#include <new>

#include "protocol/link_parameters.h"
#include "protocol/win/client_launch.h"
#include "protocol/win/linkport_ids.h"
#include "protocol/win/server_module.h"

namespace mb {
namespace {

class LinkportPlug : public IInternetProtocol, public IInternetProtocolInfo, public IDispatch {
 public:
  explicit LinkportPlug(IUnknown* outer) : inner_(this), outer_(outer ? outer : &inner_) { ServerModule::Lock(); }
  virtual ~LinkportPlug() { ServerModule::Unlock(); }
  LinkportPlug(const LinkportPlug&) = delete;
  LinkportPlug& operator=(const LinkportPlug&) = delete;

  IUnknown* Inner() { return &inner_; }

  // IUnknown of every interface: to the outer object when aggregated, else to the inner one.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return outer_->QueryInterface(iid, out); }
  STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

  // IInternetProtocolRoot
  STDMETHODIMP Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo*, DWORD, HANDLE_PTR) override {
    ProtocolStart(url);
    if (sink) sink->ReportResult(S_OK, 0, nullptr);
    return S_OK;
  }
  STDMETHODIMP Continue(PROTOCOLDATA*) override { return E_NOTIMPL; }
  STDMETHODIMP Abort(HRESULT, DWORD) override { return S_OK; }
  STDMETHODIMP Terminate(DWORD) override { return S_OK; }
  STDMETHODIMP Suspend() override { return E_NOTIMPL; }
  STDMETHODIMP Resume() override { return E_NOTIMPL; }

  // IInternetProtocol: the link has no data.
  STDMETHODIMP Read(void*, ULONG, ULONG* read) override {
    if (read) *read = 0;
    return S_OK;
  }
  STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return S_OK; }
  STDMETHODIMP LockRequest(DWORD) override { return S_OK; }
  STDMETHODIMP UnlockRequest() override { return S_OK; }

  // IInternetProtocolInfo
  STDMETHODIMP ParseUrl(LPCWSTR url, PARSEACTION action, DWORD flags, LPWSTR result, DWORD resultSize,
                        DWORD* resultLength, DWORD) override {
    if (action == PARSE_SECURITY_URL && url) {
      const SecurityUrlAnswer answer = AnswerSecurityUrl(url, resultSize);
      if (answer.kind == SecurityUrlAnswer::Kind::kBufferTooSmall) {
        if (resultLength) *resultLength = static_cast<DWORD>(answer.length);
        return S_FALSE;
      }
      if (answer.kind == SecurityUrlAnswer::Kind::kWritten) {
        if (!result) return E_POINTER;
        lstrcpynW(result, kProductSchemePrefix, static_cast<int>(answer.length + 1));
        if (resultLength) *resultLength = static_cast<DWORD>(answer.length);
        return S_OK;
      }
    }
    // Everything else about a link is what the system says about an empty page.
    return CoInternetParseUrl(L"about:blank", action, flags, result, resultSize, resultLength, 0);
  }
  STDMETHODIMP CombineUrl(LPCWSTR, LPCWSTR, DWORD, LPWSTR, DWORD, DWORD*, DWORD) override {
    return INET_E_DEFAULT_ACTION;
  }
  STDMETHODIMP CompareUrl(LPCWSTR first, LPCWSTR second, DWORD) override {
    if (!first || !second) return E_INVALIDARG;
    return lstrcmpW(first, second) == 0 ? S_OK : S_FALSE;
  }
  STDMETHODIMP QueryInfo(LPCWSTR, QUERYOPTION, DWORD, LPVOID, DWORD, DWORD* returned, DWORD) override {
    if (returned) *returned = 0;
    return S_OK;
  }

  // IDispatch of ILinkportPlug, which has no members of its own.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  // The object's own reference count and interface table.
  class InnerUnknown : public IUnknown {
   public:
    explicit InnerUnknown(LinkportPlug* owner) : owner_(owner) {}
    virtual ~InnerUnknown() = default;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
      if (!out) return E_POINTER;
      LinkportPlug* self = Owner();
      if (IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IUnknown*>(this);
      } else if (IsEqualIID(iid, IID_IInternetProtocol) || IsEqualIID(iid, IID_IInternetProtocolRoot)) {
        *out = static_cast<IInternetProtocol*>(self);
      } else if (IsEqualIID(iid, IID_IInternetProtocolInfo)) {
        *out = static_cast<IInternetProtocolInfo*>(self);
      } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kILinkportPlugIid)) {
        *out = static_cast<IDispatch*>(self);
      } else {
        *out = nullptr;
        return E_NOINTERFACE;
      }
      static_cast<IUnknown*>(*out)->AddRef();
      return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
      const LONG left = InterlockedDecrement(&references_);
      if (left == 0) delete Owner();
      return static_cast<ULONG>(left);
    }

   private:
    LinkportPlug* Owner() { return owner_; }
    LinkportPlug* owner_;
    LONG references_ = 1;
  };

  InnerUnknown inner_;
  IUnknown* outer_;
};

}  // namespace

HRESULT CreateLinkportPlug(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  auto* plug = new (std::nothrow) LinkportPlug(outer);
  if (!plug) return E_OUTOFMEMORY;
  // The new object holds one reference; the query adds the caller's, the release drops ours.
  const HRESULT result = plug->Inner()->QueryInterface(iid, out);
  plug->Inner()->Release();
  return result;
}

}  // namespace mb
