// upload_native_sender: sends files to the stand-in's block server the way the engine does (same
// packets, stop-and-wait, several connections) and prints the throughput. The native reference of
// the upload benchmark.
//   upload_native_sender [--host H] [--port P] [--connections N] FILE...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "tools/upload_standin/native_block_client.h"
#include "upload/core/remote_name.h"

int main(int argc, char** argv) {
  std::string host = "127.0.0.1";
  int port = mb::upload::kBlockWirePort;
  int connections = 6;
  std::vector<mb::standin::NativePicture> pictures;
  std::uint64_t total = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--host" || arg == "--port" || arg == "--connections") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--host") host = value;
      else if (arg == "--port") port = std::atoi(value.c_str());
      else connections = std::atoi(value.c_str());
      continue;
    }
    std::optional<std::string> bytes = mb::ReadWholeFile(arg);
    if (!bytes) {
      std::fprintf(stderr, "upload_native_sender: cannot read %s\n", arg.c_str());
      return 1;
    }
    total += bytes->size();
    pictures.push_back({"native" + std::to_string(pictures.size()) + mb::upload::FileExtension(arg), *bytes});
  }
  const auto start = std::chrono::steady_clock::now();
  const bool ok = mb::standin::SendPicturesAsEngine(host, static_cast<std::uint16_t>(port), connections, "bench",
                                                    pictures);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!ok) {
    std::fprintf(stderr, "upload_native_sender: sending failed\n");
    return 1;
  }
  std::printf("native bytes %llu seconds %.3f MBps %.2f\n", static_cast<unsigned long long>(total), seconds,
              total / 1048576.0 / seconds);
  return 0;
}
