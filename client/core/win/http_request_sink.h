// HttpRequestSink: the completion sink of the asynchronous login request. XMLHTTP calls it (as
// onreadystatechange) on the thread that created the request; at readyState 4 it posts
// WM_LOGIN_REPLY (status 200) or WM_LOGIN_FAILED (any other status) to its window, once.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include "common/win/com_ptr.h"

namespace mb {

constexpr UINT WM_LOGIN_REPLY = WM_USER + 100;
constexpr UINT WM_LOGIN_FAILED = WM_USER + 101;

class HttpRequestSink : public IDispatch {
 public:
  // Reference count 1, owned by the caller. window may be null: then nothing is posted.
  static ComPtr<HttpRequestSink> Create(IXMLHTTPRequest* request, HWND window);

  // Nothing is posted from now on, and the request is let go (it holds this sink in turn).
  void Disarm();
  // True once a completion message has been posted.
  bool posted() const { return posted_; }

  // IUnknown: IUnknown and IDispatch only.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; every Invoke is the ready-state change.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  HttpRequestSink(IXMLHTTPRequest* request, HWND window);
  virtual ~HttpRequestSink() = default;

  LONG references_ = 1;
  ComPtr<IXMLHTTPRequest> request_;
  HWND window_;
  bool posted_ = false;
};

}  // namespace mb
