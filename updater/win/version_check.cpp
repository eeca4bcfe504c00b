#include "updater/win/version_check.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

#include "common/atomic_file.h"
#include "updater/download_address.h"

namespace mb {
namespace {

// Lives on the caller's stack for one synchronous download; keeps the answer's HTTP status.
class StatusCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  int status = 0;

  // IUnknown: the object is not reference counted; it outlives the call that uses it.
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

  // IBindStatusCallback: nothing to steer.
  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // IHttpNegotiate: the status line of the answer.
  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    if (additional) *additional = nullptr;
    return S_OK;
  }
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override {
    status = static_cast<int>(code);
    if (additional) *additional = nullptr;
    return S_OK;
  }
};

std::string UniqueReplyFile() {
  char folder[MAX_PATH] = {};
  char name[MAX_PATH] = {};
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "dat", 0, name)) return {};
  return name;
}

}  // namespace

bool FetchThroughUrlMoniker(const std::string& url, const std::string& file, int& status) {
  DeleteUrlCacheEntryA(url.c_str());
  StatusCallback callback;
  const HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), file.c_str(), 0, &callback);
  status = callback.status;
  return SUCCEEDED(result);
}

UpdateCheckResult VersionCheck::Run(const std::string& checkUrl, const std::string& installedVersion) {
  if (done_) return CheckFailure(kCheckWrongStateText);
  done_ = true;
  requestAddress_ = VersionCheckAddress(checkUrl, installedVersion);
  const std::string replyFile = UniqueReplyFile();
  int status = 0;
  // A page saved from an error answer is no reply: only status 200 counts.
  const bool fetched = !replyFile.empty() && FetchThroughUrlMoniker(requestAddress_, replyFile, status);
  const std::optional<std::string> reply = replyFile.empty() ? std::nullopt : ReadWholeFile(replyFile);
  if (!replyFile.empty()) DeleteFileA(replyFile.c_str());
  if (!fetched || status != 200) return CheckFailure(kCheckDownloadFailedText);
  if (!reply) return CheckFailure(kCheckNoReplyText);
  return ParseUpdateReply(*reply);
}

}  // namespace mb
