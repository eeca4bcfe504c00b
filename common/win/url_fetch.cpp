#include "common/win/url_fetch.h"

#include <urlmon.h>
#include <wininet.h>

namespace mb {
namespace {

// Lives on the caller's stack for one synchronous download: keeps the answer's status line and
// aborts the transfer when told to stop or past its time limit.
class FetchStatusCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit FetchStatusCallback(const UrlFetchLimits& limits) : limits_(limits), started_(GetTickCount()) {}

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

  // IBindStatusCallback: progress is where a transfer can be ended.
  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return CheckAbort(); }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // IHttpNegotiate: the status line of the answer.
  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    if (additional) *additional = nullptr;
    return CheckAbort();
  }
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override {
    status = static_cast<int>(code);
    if (additional) *additional = nullptr;
    return S_OK;
  }

 private:
  HRESULT CheckAbort() {
    const bool stopped = limits_.stop && limits_.stop->load() != 0;
    const bool late = limits_.timeLimitMs != 0 && GetTickCount() - started_ > limits_.timeLimitMs;
    if (stopped || late) aborted = true;
    return aborted ? E_ABORT : S_OK;
  }

  const UrlFetchLimits& limits_;
  DWORD started_;
};

}  // namespace

UrlFetchResult FetchUrlToFile(const std::string& url, const std::string& file, const UrlFetchLimits& limits) {
  DeleteUrlCacheEntryA(url.c_str());
  FetchStatusCallback callback(limits);
  const HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), file.c_str(), 0, &callback);
  return {SUCCEEDED(result) && !callback.aborted, callback.status};
}

std::string NewTemporaryFile(const char* prefix) {
  char folder[MAX_PATH] = {};
  char name[MAX_PATH] = {};
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, prefix, 0, name)) return {};
  return name;
}

}  // namespace mb
