#include "updater/win/http_downloader.h"

#include <wininet.h>

#include <cstdio>
#include <mutex>

#include "common/win/thread_start.h"
#include "updater/download_address.h"

namespace mb {

namespace {
// How long a worker whose Internet handles were closed gets to notice it.
constexpr DWORD kStopWaitMs = 2000;
// A receive gives up this long after the caller's limit, within the wait above, so that a server
// that never answers cannot keep the worker even where closing the handles does not end the call.
constexpr DWORD kReceiveGraceMs = 1000;
}  // namespace

// Shared by the caller and the worker; the last of them to let go frees it.
struct HttpDownloader::Job {
  std::string url;
  std::string file;
  DWORD receiveLimitMs = HttpDownloader::kDefaultTimeoutMs;
  DownloadOutcome outcome;

  std::mutex handlesLock;
  HINTERNET session = nullptr;
  HINTERNET connection = nullptr;
  HINTERNET request = nullptr;
  bool abandoned = false;  // the caller gave up waiting: the file is not wanted

  // Closes whatever Internet handle is still open; a read blocked on one of them returns.
  void CloseInternetHandles(bool abandon = false) {
    std::lock_guard<std::mutex> hold(handlesLock);
    abandoned = abandoned || abandon;
    for (HINTERNET* handle : {&request, &connection, &session}) {
      if (*handle) InternetCloseHandle(*handle);
      *handle = nullptr;
    }
  }

  void Run();
};

namespace {

bool QueryNumber(HINTERNET request, DWORD what, std::uint64_t& value) {
  char text[32] = {};
  DWORD size = sizeof text - 1;
  if (!HttpQueryInfoA(request, what, text, &size, nullptr)) return false;
  value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + static_cast<unsigned>(*p - '0');
  }
  return size > 0;
}

void CopyProxySettings(HINTERNET session) {
  DWORD size = 0;
  InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, nullptr, &size);
  if (size == 0) return;
  std::string buffer(size, '\0');
  if (InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, &buffer[0], &size)) {
    InternetSetOptionA(session, INTERNET_OPTION_PROXY, &buffer[0], size);
  }
}

void SetReceiveLimit(HINTERNET handle, DWORD limitMs) {
  InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &limitMs, sizeof limitMs);
}

DWORD WINAPI WorkerMain(void* parameter) {
  auto* holder = static_cast<std::shared_ptr<HttpDownloader::Job>*>(parameter);
  std::shared_ptr<HttpDownloader::Job> job = std::move(*holder);
  delete holder;
  job->Run();
  return job->outcome.sent ? 1 : 0;
}

}  // namespace

void HttpDownloader::Job::Run() {
  OutputDebugStringA("开始下载文件...\n");
  // Shared for deletion: a caller that gave up on the worker deletes the file while it is open.
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  const std::optional<HttpAddress> address = SplitHttpAddress(url);
  if (out == INVALID_HANDLE_VALUE || !address) {
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    return;
  }
  {
    std::lock_guard<std::mutex> hold(handlesLock);
    session = InternetOpenA("", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (session) {
      CopyProxySettings(session);
      SetReceiveLimit(session, receiveLimitMs);
      connection = InternetConnectA(session, address->host.c_str(), static_cast<INTERNET_PORT>(address->port), "", "",
                                    INTERNET_SERVICE_HTTP, 0, 0);
      // Set on the connection as well: its requests take their limit from it, and Wine's WinINet
      // ignores a session's receive limit (a stalled answer would keep the worker and its file).
      if (connection) SetReceiveLimit(connection, receiveLimitMs);
    }
    if (connection) {
      const char* accept[] = {"*/*", nullptr};
      DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                    INTERNET_FLAG_NO_COOKIES;
      if (address->secure) flags |= INTERNET_FLAG_SECURE;
      request = HttpOpenRequestA(connection, "GET", RequestLinePath(address->path).c_str(), "HTTP/1.1", nullptr,
                                 accept, flags, 0);
    }
  }
  HINTERNET req = request;
  if (req && HttpSendRequestA(req, nullptr, 0, nullptr, 0)) {
    outcome.sent = true;
    std::uint64_t number = 0;
    if (QueryNumber(req, HTTP_QUERY_STATUS_CODE, number)) outcome.status = static_cast<int>(number);
    if (QueryNumber(req, HTTP_QUERY_CONTENT_LENGTH, number)) outcome.contentLength = number;
    char piece[kReadPiece];
    for (;;) {
      DWORD got = 0;
      if (!InternetReadFile(req, piece, sizeof piece, &got)) {
        outcome.readFailed = true;
        break;
      }
      if (got == 0) break;
      DWORD written = 0;
      if (!WriteFile(out, piece, got, &written, nullptr) || written != got) {
        outcome.readFailed = true;
        break;
      }
      outcome.received += got;
    }
  }
  CloseInternetHandles();
  CloseHandle(out);
  std::lock_guard<std::mutex> hold(handlesLock);
  if (abandoned) DeleteFileA(file.c_str());
  OutputDebugStringA("下载文件完毕\n");
}

HttpDownloader::~HttpDownloader() {
  if (lateWorker_) {
    if (WaitForSingleObject(lateWorker_, 0) == WAIT_TIMEOUT) TerminateThread(lateWorker_, 0);
    CloseHandle(lateWorker_);
  }
}

DownloadOutcome HttpDownloader::Download(const std::string& url, const std::string& file, DWORD timeoutMs) {
  auto job = std::make_shared<Job>();
  job->url = url;
  job->file = file;
  job->receiveLimitMs = timeoutMs > MAXDWORD - kReceiveGraceMs ? MAXDWORD : timeoutMs + kReceiveGraceMs;
  auto* handOver = new std::shared_ptr<Job>(job);
  HANDLE worker = mb::BeginThread(WorkerMain, handOver);
  if (!worker) {
    delete handOver;
    return {};
  }
  DownloadOutcome outcome;
  if (WaitForSingleObject(worker, timeoutMs) == WAIT_TIMEOUT) {
    job->CloseInternetHandles(true);
    outcome.timedOut = true;
    DeleteFileA(file.c_str());
    if (WaitForSingleObject(worker, kStopWaitMs) == WAIT_TIMEOUT) {
      if (lateWorker_) {
        TerminateThread(lateWorker_, 0);
        CloseHandle(lateWorker_);
      }
      lateWorker_ = worker;
      worker = nullptr;
    }
    std::printf("超时退出...\n超时的文件:%s\n", url.c_str());
  } else {
    DWORD code = 0;
    GetExitCodeThread(worker, &code);
    outcome = job->outcome;
    if (code != 1) {
      DeleteFileA(file.c_str());
      std::printf("下载文件失败...\n下载失败的文件:%s\n", url.c_str());
    } else {
      std::printf("下载文件成功...\n下载成功的文件:%s\n", file.c_str());
    }
  }
  if (worker) CloseHandle(worker);
  return outcome;
}

}  // namespace mb
