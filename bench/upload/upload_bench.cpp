// upload_bench: pushes every file named on the command line through one upload pool to the
// stand-in servers and prints the throughput from the start message to the final status.
//   upload_bench FILE...
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "upload/win/upload_messages.h"
#include "upload/win/upload_pool.h"

namespace {

class BenchPool : public CZELUploadThreadsPool {
 public:
  std::string notice;

 protected:
  void ShowNotice(const std::string& text, const std::string&, UINT) override { notice = text; }
};

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

struct Progress {
  int blocks = 0;
  double connectedAt = 0, lastBlockAt = 0;
  bool allSent = false;
  bool failed = false;
};
Progress progress;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_UPLOAD_BLOCK_SENT) {
    ++progress.blocks;
    progress.lastBlockAt = Now();
    // As the uploader's view: the first block sets the flag and counts the first picture done.
    if (!CConfig::GetConfig()->GetFirstBlockFlag()) {
      CConfig::GetConfig()->SetFirstBlockFlag(1);
      SendMessageA(window, WM_UPLOAD_STATUS, 1, 0);
    }
  }
  if (message == WM_UPLOAD_STATUS && wParam == UPLOAD_STATUS_CONNECTED) progress.connectedAt = Now();
  if (message == WM_UPLOAD_STATUS && wParam == UPLOAD_STATUS_ALL_SENT) progress.allSent = true;
  if (message == WM_UPLOAD_CONNECT_FAILED) progress.failed = true;
  // The reports are sent messages, handled inside GetMessage: a posted quit ends the loop.
  if (progress.allSent || progress.failed) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FrameProc;
  windowClass.lpszClassName = "upload_bench.Frame";
  RegisterClassA(&windowClass);
  HWND frame = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
  CConfig::GetConfig()->SetEngineMsgWnd(frame);
  CConfig::GetConfig()->SetDefaultUserName("bench");

  auto* pool = new BenchPool;
  unsigned long long total = 0;
  for (int i = 1; i < argc; ++i) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(argv[i], GetFileExInfoStandard, &data)) {
      std::fprintf(stderr, "upload_bench: cannot read %s\n", argv[i]);
      return 1;
    }
    total += data.nFileSizeLow;
    auto* job = new CZELFileQueue{};
    mb::CopyToField(job->path, sizeof job->path, argv[i]);
    mb::CopyToField(job->pix, sizeof job->pix, "1920*1080");
    job->pictureType = 1;
    pool->Push(job);
  }

  const double start = Now();
  PostThreadMessageA(pool->ThreadId(), WM_START_UPLOAD, 0, 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  const double seconds = Now() - start;
  pool->Stop();
  if (progress.failed) {
    std::fprintf(stderr, "upload_bench: the upload failed\n");
    return 1;
  }
  // Beside the whole run: when the first connection stood, and when the last block was counted.
  std::printf("wine bytes %llu seconds %.3f MBps %.2f blocks %d connected %.3f last_block %.3f\n", total, seconds,
              total / 1048576.0 / seconds, progress.blocks, progress.connectedAt - start, progress.lastBlockAt - start);
  return 0;
}
