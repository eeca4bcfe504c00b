#include "client/ui/win/uploader_launch.h"

#include <memory>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/tray_frame.h"
#include "common/gbk_text.h"
#include "common/win/thread_start.h"

namespace mb {

namespace {

const char kUploaderMissing[] = "上传组件已丢失!";
const char kMessageCaption[] = "墨岚屏[Pelora]-系统消息";
constexpr int kWindowLooks = 5;

struct HandOver {
  std::string path;
  DWORD lookIntervalMs;
};

DWORD WINAPI HandOverThread(void* param) {
  std::unique_ptr<HandOver> job(static_cast<HandOver*>(param));
  HWND uploader = FindWindowA(nullptr, kUploaderWindowTitle);
  if (!uploader) {
    StartUploaderThread();
    Sleep(job->lookIntervalMs);
    for (int look = 0; look < kWindowLooks && !uploader; ++look) {
      uploader = FindWindowA(nullptr, kUploaderWindowTitle);
      if (!uploader) Sleep(job->lookIntervalMs);
    }
    if (!uploader) return 0;  // the uploader shows without the picture once it is up
  }
  const std::string path(TrimBlanks(job->path));
  if (!path.empty() && FileExists(path)) {
    HandPictureToUploader(uploader, path);
  } else {
    StartUploaderThread();  // a second start brings the running uploader forward
  }
  return 0;
}

}  // namespace

std::string BatchUploaderPath(const std::string& folder) {
  const bool separated = !folder.empty() && GbkEndsWith(folder, '\\');
  return folder + (separated ? "" : "\\") + "Hoistly.exe";
}

bool LaunchBatchUploader(const std::string& folder, const std::string& user) {
  const std::string program = BatchUploaderPath(folder);
  if (!FileExists(program)) {
    MessageBoxA(nullptr, kUploaderMissing, kMessageCaption, MB_ICONERROR);
    return false;
  }
  std::vector<char> commandLine(user.begin(), user.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  return true;
}

DWORD WINAPI RunUploaderThread(void*) {
  return LaunchBatchUploader(GetModuleDirectory(), GetClientConfig()->GetCurrentUserName()) ? 0 : 1;
}

void StartUploaderThread() {
  if (HANDLE thread = mb::BeginThread(RunUploaderThread, nullptr)) CloseHandle(thread);
}

bool HandPictureToUploader(HWND uploader, const std::string& path) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(uploader, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                           SMTO_ABORTIFHUNG, kUploaderMessageTimeoutMs, &answer)) {
    return false;
  }
  return SendMessageTimeoutA(uploader, WM_OPEN_PICTURE_PATH, 0, 0, SMTO_ABORTIFHUNG, kUploaderMessageTimeoutMs,
                             &answer) != 0;
}

void SendPictureToBatchUploader(std::string path, DWORD lookIntervalMs) {
  auto* job = new HandOver{std::move(path), lookIntervalMs};
  if (HANDLE thread = mb::BeginThread(HandOverThread, job)) {
    CloseHandle(thread);
  } else {
    delete job;
  }
}

}  // namespace mb
