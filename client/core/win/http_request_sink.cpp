#include "client/core/win/http_request_sink.h"

namespace mb {
namespace {
constexpr long kReadyStateComplete = 4;
constexpr long kHttpOk = 200;
}  // namespace

ComPtr<HttpRequestSink> HttpRequestSink::Create(IXMLHTTPRequest* request, HWND window) {
  return ComPtr<HttpRequestSink>::Attach(new HttpRequestSink(request, window));
}

HttpRequestSink::HttpRequestSink(IXMLHTTPRequest* request, HWND window)
    : request_(ComPtr<IXMLHTTPRequest>::Share(request)), window_(window) {}

void HttpRequestSink::Disarm() {
  window_ = nullptr;
  request_.Reset();
}

HRESULT HttpRequestSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG HttpRequestSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG HttpRequestSink::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT HttpRequestSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT HttpRequestSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT HttpRequestSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT HttpRequestSink::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  if (!request_ || !window_ || posted_) return S_OK;
  long state = 0;
  if (FAILED(request_->get_readyState(&state)) || state != kReadyStateComplete) return S_OK;
  long status = 0;
  const bool ok = SUCCEEDED(request_->get_status(&status)) && status == kHttpOk;
  posted_ = true;
  PostMessageA(window_, ok ? WM_LOGIN_REPLY : WM_LOGIN_FAILED, 0, 0);
  return S_OK;
}

}  // namespace mb
