#include "client/core/win/top_list_fetch.h"

#include <urlmon.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "client/core/client_config.h"
#include "client/core/top_list.h"
#include "client/core/win/service_request.h"
#include "client/core/win/system_utils.h"
#include "common/atomic_file.h"
#include "common/win/com_ptr.h"
#include "common/win/thread_start.h"

namespace mb {
namespace {

// What a run shares with the thread that started it. The run holds it to its end, so it
// outlives the starter's wait.
struct FetchRun {
  TopListFetchPlaces places;
  std::mutex lock;      // held while the run writes to the configuration or posts
  bool stopped = false;  // under lock
  std::atomic<bool> stopAsked{false};
};

std::mutex startLock;
std::shared_ptr<FetchRun> currentRun;  // under startLock
HANDLE currentThread = nullptr;         // under startLock
std::atomic<HWND> listener{nullptr};

// Runs fn under the run's lock unless the run was stopped; false when it was.
template <typename Fn>
bool WhileNotStopped(FetchRun& run, Fn&& fn) {
  std::lock_guard<std::mutex> hold(run.lock);
  if (run.stopped) return false;
  fn(*GetClientConfig());
  return true;
}

void MarkRead(FetchRun& run) {
  WhileNotStopped(run, [&](ClientConfig& config) {
    config.rankingRead = 1;
    if (const HWND window = listener.load()) PostMessageA(window, WM_TOP_LIST_READ, 0, 0);
  });
}

bool PartialIsPicture(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes && LooksLikePicture(*bytes);
}

bool DownloadPicture(const std::string& url, const std::string& target) {
  const std::string partial = target + ".part";
  DeleteFileA(partial.c_str());
  if (FAILED(URLDownloadToFileA(nullptr, url.c_str(), partial.c_str(), 0, nullptr)) || !PartialIsPicture(partial)) {
    DeleteFileA(partial.c_str());
    return false;
  }
  if (!MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(partial.c_str());
    return false;
  }
  return true;
}

void RunFetch(FetchRun& run) {
  const ComApartment com;
  const ServiceReply reply = ServiceGet(run.places.listUrl, true);
  if (!reply.ok() || reply.text.empty() || run.stopAsked) return;

  const std::optional<TopList> list = ParseTopList(reply.text);
  if (!list) {
    WhileNotStopped(run, [](ClientConfig& config) { config.listFailed = 1; });
    return;
  }
  const bool going = WhileNotStopped(run, [&](ClientConfig& config) {
    if (!list->homeAddress.empty()) config.SetSharedText(&ClientConfig::homeAddress, list->homeAddress);
    config.SetSharedText(&ClientConfig::topListLabel, list->label);
  });
  if (!going) return;

  if (list->stamp == ReadTopListStamp(run.places.stampPath)) {
    MarkRead(run);
    return;
  }
  bool whole = true;
  for (const TopListPicture& picture : list->pictures) {
    if (run.stopAsked) return;
    const std::string folder = run.places.downloadFolder + picture.category + "\\";
    const std::string target = TopListTarget(run.places.downloadFolder, picture);
    if (FileExists(target)) continue;
    if (!CreateDirectoryPath(folder) || !DownloadPicture(picture.url, target)) whole = false;
  }
  // A list that was not wholly fetched is tried again at the next login.
  if (whole) WriteTopListStamp(run.places.stampPath, list->stamp);
  MarkRead(run);
}

DWORD WINAPI FetchThread(void* parameter) {
  std::shared_ptr<FetchRun> run(*static_cast<std::shared_ptr<FetchRun>*>(parameter));
  delete static_cast<std::shared_ptr<FetchRun>*>(parameter);
  RunFetch(*run);
  return 0;
}

}  // namespace

void SetTopListListener(HWND window) { listener = window; }

bool FetchTopList() {
  const ClientConfig& config = *GetClientConfig();
  TopListFetchPlaces places;
  places.listUrl = config.SharedText(&ClientConfig::homeAddress) + "/client/yhtj1.html";
  places.downloadFolder = config.downloadPath;
  places.stampPath = config.FilePath("top10.dat");
  return FetchTopList(places);
}

bool FetchTopList(const TopListFetchPlaces& places) {
  std::lock_guard<std::mutex> hold(startLock);
  if (currentThread) {
    if (WaitForSingleObject(currentThread, 0) == WAIT_TIMEOUT) return false;
    CloseHandle(currentThread);
    currentThread = nullptr;
  }
  auto run = std::make_shared<FetchRun>();
  run->places = places;
  auto* parameter = new std::shared_ptr<FetchRun>(run);
  const HANDLE thread = mb::BeginThread(FetchThread, parameter);
  if (!thread) {
    delete parameter;
    return false;
  }
  currentThread = thread;
  currentRun = run;
  return true;
}

bool TopListFetchRunning() {
  std::lock_guard<std::mutex> hold(startLock);
  return currentThread && WaitForSingleObject(currentThread, 0) == WAIT_TIMEOUT;
}

bool StopTopListFetch(DWORD waitMs) {
  std::lock_guard<std::mutex> hold(startLock);
  if (currentRun) {
    currentRun->stopAsked = true;
    std::lock_guard<std::mutex> holdRun(currentRun->lock);
    currentRun->stopped = true;
  }
  bool ended = true;
  if (currentThread) {
    ended = WaitForSingleObject(currentThread, waitMs) == WAIT_OBJECT_0;
    CloseHandle(currentThread);
    currentThread = nullptr;
  }
  currentRun.reset();
  return ended;
}

}  // namespace mb
