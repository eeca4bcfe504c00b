#include "client/core/win/url_download.h"

#include <urlmon.h>
#include <wininet.h>

namespace mb {
namespace {

// Lives on the caller's stack for one synchronous download: aborts it when told to stop or past
// its deadline, and keeps the answer's HTTP status.
class AbortingStatusCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit AbortingStatusCallback(const UrlDownloadLimits& limits)
      : limits_(limits), started_(GetTickCount()) {}

  int status = 0;
  bool aborted = false;

  // IUnknown: not reference counted; the object outlives the call that uses it.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
      *out = static_cast<IHttpNegotiate*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override {
    if (ShouldAbort()) {
      aborted = true;
      return E_ABORT;
    }
    return S_OK;
  }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    if (additional) *additional = nullptr;
    return ShouldAbort() ? E_ABORT : S_OK;
  }
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override {
    status = static_cast<int>(code);
    if (additional) *additional = nullptr;
    return S_OK;
  }

 private:
  bool ShouldAbort() const {
    if (limits_.stop && limits_.stop->load() != 0) return true;
    return GetTickCount() - started_ > limits_.timeLimitMs;
  }

  const UrlDownloadLimits& limits_;
  DWORD started_;
};

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& target, const UrlDownloadLimits& limits) {
  if (limits.stop && limits.stop->load() != 0) return false;
  const std::string partial = target + ".part";
  DeleteFileA(partial.c_str());
  DeleteUrlCacheEntryA(url.c_str());
  AbortingStatusCallback callback(limits);
  const HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), partial.c_str(), 0, &callback);
  const bool whole = SUCCEEDED(result) && !callback.aborted && callback.status == 200;
  if (!whole || !MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(partial.c_str());
    return false;
  }
  return true;
}

}  // namespace mb
