// DownloadStatusCallback: the status callback of one URLDownloadToFileA transfer. It reports the
// progress to a DownloadProgressSink, aborts the transfer once the sink asks to stop, and answers
// IHttpNegotiate so that the reply's status and Content-Length are known: the transfer itself
// saves a 404 page and returns success, and a connection cut early ends quietly.
//
// The transfer is synchronous and the callback lives on the caller's stack for its length, so it
// counts no references.
#pragma once

#include <urlmon.h>

#include <string>

#include "client/core/download_progress_sink.h"

namespace mb {

class DownloadStatusCallback final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit DownloadStatusCallback(DownloadProgressSink& sink) : sink_(sink) {}

  // The reply's HTTP status; 0 while none was seen.
  DWORD HttpStatus() const { return httpStatus_; }
  // The reply's Content-Length; -1 when it named none.
  long long ContentLength() const { return contentLength_; }

  // "Downloaded %s of %s" (or "... (total size unknown)" when max is 0) with the sizes as the
  // shell writes them, and the percentage progress x 100 / max, truncated (0 when max is 0).
  static std::string FormatProgress(ULONG progress, ULONG max, int& percent);
  // Content-Length of a reply's header block (wide, CR LF separated); -1 when there is none.
  static long long ContentLengthOf(const wchar_t* headers);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 0; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  // IBindStatusCallback
  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
  STDMETHODIMP GetPriority(LONG*) override { return S_OK; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG progress, ULONG max, ULONG code, LPCWSTR text) override;
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }
  // IHttpNegotiate
  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override;
  STDMETHODIMP OnResponse(DWORD status, LPCWSTR responseHeaders, LPCWSTR, LPWSTR* additionalHeaders) override;

 private:
  DownloadProgressSink& sink_;
  std::string statusText_;
  bool reported_ = false;
  int lastPercent_ = 0;
  bool lastSizeKnown_ = false;
  DWORD httpStatus_ = 0;
  long long contentLength_ = -1;
};

}  // namespace mb
