#include "updater/win/updater_run.h"

#include "common/atomic_file.h"
#include "common/win/file_version.h"
#include "updater/package_check.h"
#include "updater/temporary_name.h"
#include "updater/updater_command_line.h"
#include "updater/win/http_downloader.h"
#include "updater/win/version_check.h"

namespace mb {

const char kUpdaterInstanceEvent[] = "QOVEN_DDD_UPDATE";

namespace {

std::string TemporaryFolder() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? folder : "";
}

std::string FileHead(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes ? bytes->substr(0, 2) : std::string();
}

// Downloads the package and keeps it only when everything about it is sound.
bool FetchPackage(const std::string& url, const std::string& file, const std::string& sentVersion, DWORD timeoutMs) {
  HttpDownloader downloader;
  const DownloadOutcome outcome = timeoutMs ? downloader.Download(url, file, timeoutMs) : downloader.Download(url, file);
  if (!outcome.sent || outcome.timedOut) return false;
  PackageFacts facts;
  facts.address = url;
  facts.status = outcome.status;
  facts.contentLength = outcome.contentLength;
  facts.received = outcome.received;
  facts.readFailed = outcome.readFailed;
  facts.head = FileHead(file);
  std::string version;
  if (GetFileVersionText(file, version)) facts.fileVersion = version;
  facts.sentVersion = sentVersion;
  const std::string refusal = RefusePackage(facts);
  if (refusal.empty()) return true;
  OutputDebugStringA(("renewkit: package refused: " + refusal + "\n").c_str());
  DeleteFileA(file.c_str());
  return false;
}

}  // namespace

bool InstallPackage(const std::string& package, const std::string& setupPath) {
  const std::string folder = setupPath.substr(0, setupPath.find_last_of('\\') + 1);
  char staging[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "rk", 0, staging)) return false;
  if (CopyFileA(package.c_str(), staging, FALSE) && ReplaceFileWith(staging, setupPath)) return true;
  DeleteFileA(staging);
  return false;
}

void RunUpdater(const std::string& commandLine, const UpdaterRunOptions& options, UpdateCheckResult* result) {
  const std::optional<UpdaterCommand> command = ParseUpdaterCommandLine(commandLine);
  // Without its own folder the program would put data\ into whatever the current folder is.
  if (!command || options.programFolder.empty()) return;
  const std::string checkUrl = command->url.empty() ? options.defaultCheckUrl : command->url;

  // Marks the running copy while this process lives.
  HANDLE instance = CreateEventA(nullptr, TRUE, TRUE, kUpdaterInstanceEvent);
  if (!instance || GetLastError() == ERROR_ALREADY_EXISTS) {
    if (instance) CloseHandle(instance);
    return;
  }

  const std::string download = ChooseTemporaryName(
      TemporaryFolder(), [](const std::string& name) { return FileExists(name); },
      [](const std::string& name) { DeleteFileA(name.c_str()); });

  const std::string dataFolder = options.programFolder + "data\\";
  CreateDirectoryA(dataFolder.c_str(), nullptr);
  const std::string setupPath = dataFolder + "setup.exe";
  std::string installedVersion;
  if (FileExists(setupPath) && !GetFileVersionText(setupPath, installedVersion)) installedVersion.clear();

  VersionCheck check;
  const UpdateCheckResult outcome = check.Run(checkUrl, installedVersion);
  if (result) *result = outcome;

  if (outcome.kind == UpdateCheckResult::Kind::kDownload && !download.empty()) {
    DeleteFileA(download.c_str());
    if (FetchPackage(outcome.url, download, installedVersion, options.downloadTimeoutMs)) {
      InstallPackage(download, setupPath);
      DeleteFileA(download.c_str());
    }
  }
  CloseHandle(instance);
}

}  // namespace mb
