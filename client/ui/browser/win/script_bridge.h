// ScriptBridge: the object page script reaches as window.external. A fixed table of names with
// fixed dispatch ids; downWallpaper and setWallpaper turn the page's request into a
// DownloadRequest sent to the page window that hosts the browser (WM_DOWNLOAD_REQUEST);
// openPreview opens a modal browser dialog; the rest are stubs scripts may call.
//
// Every argument is converted to the type the entry declares or refused with
// DISP_E_TYPEMISMATCH; nothing is thrown out of a call the browser made. UI thread only.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace mb {

class ScriptBridge : public IDispatch {
 public:
  static constexpr DISPID kFirstDispId = 0x0F000001;
  // Made with one reference (the caller's); null when it cannot be allocated.
  static ScriptBridge* Create();

  // The browser host window whose parent receives the requests; null while no page is attached.
  void SetOwner(HWND hostWindow) { owner_ = hostWindow; }
  HWND Owner() const { return owner_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* argError) override;

 private:
  struct Entry;
  static const Entry kEntries[];

  ScriptBridge() = default;
  virtual ~ScriptBridge() = default;

  HRESULT Call(const Entry& entry, DISPPARAMS* params, VARIANT* result, UINT* argError);
  // The entries' bodies; arguments in call order, already of the declared types.
  HRESULT Foo(VARIANT* args, VARIANT* result);
  HRESULT Test(VARIANT* args, VARIANT* result);
  HRESULT LoadDetail(VARIANT* args, VARIANT* result);
  HRESULT GetDetail(VARIANT* args, VARIANT* result);
  HRESULT SetDetail(VARIANT* args, VARIANT* result);
  HRESULT DownWallpaper(VARIANT* args, VARIANT* result);
  HRESULT SetWallpaper(VARIANT* args, VARIANT* result);
  HRESULT OpenPreview(VARIANT* args, VARIANT* result);
  // Sends the page a DownloadRequest; false when there is no page or it is busy.
  bool SendDownloadRequest(VARIANT* args, int setWallpaper);

  HWND owner_ = nullptr;
  ULONG refs_ = 0;
};

}  // namespace mb
