#include "client/core/win/download_status_callback.h"

#include <shlwapi.h>

#include <cstdio>
#include <cwctype>

#include "common/win/wide_text.h"

namespace mb {

std::string DownloadStatusCallback::FormatProgress(ULONG progress, ULONG max, int& percent) {
  char done[256] = {};
  char total[256] = {};
  StrFormatByteSizeA(progress, done, sizeof done);
  StrFormatByteSizeA(max, total, sizeof total);
  char text[600];
  if (max == 0) {
    std::snprintf(text, sizeof text, "Downloaded %s (total size unknown)", done);
    percent = 0;
  } else {
    std::snprintf(text, sizeof text, "Downloaded %s of %s", done, total);
    percent = static_cast<int>(static_cast<double>(progress) * 100.0 / static_cast<double>(max));
  }
  return text;
}

long long DownloadStatusCallback::ContentLengthOf(const wchar_t* headers) {
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

STDMETHODIMP DownloadStatusCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
    *object = static_cast<IBindStatusCallback*>(this);
    return S_OK;
  }
  if (IsEqualIID(iid, IID_IHttpNegotiate)) {
    *object = static_cast<IHttpNegotiate*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP DownloadStatusCallback::OnProgress(ULONG progress, ULONG max, ULONG, LPCWSTR text) {
  if (sink_.CancelRequested()) return E_ABORT;
  // The transfer reports every piece it reads; the sink hears only of a new percentage (or of a
  // size becoming known), which is all that moves the progress bar.
  const int percent = max == 0 ? 0 : static_cast<int>(static_cast<double>(progress) * 100.0 / max);
  const bool sizeKnown = max != 0;
  if (reported_ && percent == lastPercent_ && sizeKnown == lastSizeKnown_) return S_OK;
  reported_ = true;
  lastPercent_ = percent;
  lastSizeKnown_ = sizeKnown;
  statusText_ = text ? WideToGbk(text) : std::string();
  int shown = 0;
  const std::string progressText = FormatProgress(progress, max, shown);
  sink_.OnDownloadProgress(statusText_, progressText, shown);
  return S_OK;
}

STDMETHODIMP DownloadStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                          LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  return S_OK;
}

STDMETHODIMP DownloadStatusCallback::OnResponse(DWORD status, LPCWSTR responseHeaders, LPCWSTR,
                                                LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  httpStatus_ = status;
  contentLength_ = ContentLengthOf(responseHeaders);
  return S_OK;
}

}  // namespace mb
