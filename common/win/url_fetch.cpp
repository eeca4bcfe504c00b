#include "common/win/url_fetch.h"

#include <urlmon.h>
#include <wininet.h>

#include <cwctype>

namespace mb {
namespace {

// Lives on the caller's stack for one synchronous download: keeps the answer's status line and
// aborts the transfer when told to stop or past its time limit.
class FetchStatusCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  FetchStatusCallback(const UrlFetchLimits& limits, UrlFetchListener* listener)
      : limits_(limits), listener_(listener), started_(GetTickCount()) {}

  int status = 0;
  long long contentLength = -1;
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
  STDMETHODIMP OnProgress(ULONG progress, ULONG max, ULONG, LPCWSTR text) override {
    if (CheckAbort() != S_OK) return E_ABORT;
    if (listener_ && !listener_->OnFetchProgress(progress, max, text)) aborted = true;
    return aborted ? E_ABORT : S_OK;
  }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // IHttpNegotiate: the status line of the answer.
  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    if (additional) *additional = nullptr;
    return CheckAbort();
  }
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR headers, LPCWSTR, LPWSTR* additional) override {
    status = static_cast<int>(code);
    contentLength = ContentLengthOf(headers);
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
  UrlFetchListener* listener_;
  DWORD started_;
};

}  // namespace

UrlFetchResult FetchUrlToFile(const std::string& url, const std::string& file, const UrlFetchLimits& limits,
                              UrlFetchListener* listener) {
  DeleteUrlCacheEntryA(url.c_str());
  FetchStatusCallback callback(limits, listener);
  UrlFetchResult fetched;
  fetched.result = URLDownloadToFileA(nullptr, url.c_str(), file.c_str(), 0, &callback);
  fetched.aborted = callback.aborted || fetched.result == E_ABORT;
  fetched.completed = SUCCEEDED(fetched.result) && !fetched.aborted;
  fetched.status = callback.status;
  fetched.contentLength = callback.contentLength;
  return fetched;
}

long long ContentLengthOf(const wchar_t* headers) {
  if (!headers) return -1;
  static const wchar_t kName[] = L"content-length:";
  const std::size_t nameLength = sizeof kName / sizeof kName[0] - 1;
  for (const wchar_t* line = headers; *line;) {
    std::size_t i = 0;
    while (i < nameLength && line[i] && std::towlower(line[i]) == kName[i]) ++i;
    if (i == nameLength) {
      const wchar_t* digits = line + nameLength;
      while (*digits == L' ' || *digits == L'\t') ++digits;
      long long value = -1;
      for (; *digits >= L'0' && *digits <= L'9' && value < (1LL << 50); ++digits) {
        value = (value < 0 ? 0 : value * 10) + (*digits - L'0');
      }
      return value;
    }
    const wchar_t* next = line;
    while (*next && *next != L'\n') ++next;
    line = *next ? next + 1 : next;
  }
  return -1;
}

std::string NewTemporaryFile(const char* prefix) {
  char folder[MAX_PATH] = {};
  char name[MAX_PATH] = {};
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, prefix, 0, name)) return {};
  return name;
}

}  // namespace mb
