// Downloads the given addresses one after another through DownloadWorker (temporary file, status
// and length checks, rename) into a folder, and prints the time of the whole run:
//   download_bench.exe FOLDER URL...
//   "worker files N bytes B ms T"
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "client/core/download_naming.h"
#include "client/core/win/download_worker.h"

namespace {

class QuietSink : public mb::DownloadProgressSink {
 public:
  void OnDownloadProgress(const std::string&, const std::string&, int percent) override { last = percent; }
  bool CancelRequested() const override { return false; }
  int last = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: download_bench FOLDER URL...\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  // COM stays up for the whole run, as in the bare program; each worker's own start then nests.
  CoInitialize(nullptr);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  long long bytes = 0;
  QuietSink sink;
  for (int i = 2; i < argc; ++i) {
    const std::string target = folder + mb::DownloadFileName(argv[i]);
    DeleteFileA(target.c_str());
    const mb::DownloadResult result = mb::DownloadWorker(argv[i], target, sink).Run();
    if (result.outcome != mb::DownloadOutcome::kDone) {
      std::fprintf(stderr, "%s: %s\n", argv[i], result.reason.c_str());
      return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(result.path.c_str(), GetFileExInfoStandard, &data)) bytes += data.nFileSizeLow;
  }
  QueryPerformanceCounter(&end);
  std::printf("worker files %d bytes %lld ms %.1f\n", argc - 2, bytes,
              (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  return 0;
}
