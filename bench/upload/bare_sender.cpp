// bare_sender: the reference of the upload benchmark under Wine. It sends the files named on the
// command line to the block server with nothing but Winsock and threads: the files are read into
// memory first, then six connections each take the next block of the batch (cut as the engine
// cuts pictures), send its packet and wait for the 4-byte reply. No picture records, no reports.
//   bare_sender [--connections N] FILE...
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "upload/core/block_packet.h"
#include "upload/core/block_plan.h"

namespace {

using namespace mb::upload;

struct Picture {
  std::string remoteName;
  std::string bytes;
};

struct Block {
  const Picture* picture;
  BlockSpan span;
};

std::vector<Block> plan;
volatile LONG nextBlock = -1;
volatile LONG failed = 0;

bool ReadWhole(const char* path, std::string& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  DWORD read = 0;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 30);
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    ok = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool Exchange(SOCKET s, const unsigned char* packet, int size) {
  for (int done = 0; done < size;) {
    const int n = send(s, reinterpret_cast<const char*>(packet) + done, size - done, 0);
    if (n <= 0) return false;
    done += n;
  }
  char reply[kReplySize];
  for (int done = 0; done < static_cast<int>(sizeof reply);) {
    const int n = recv(s, reply + done, static_cast<int>(sizeof reply) - done, 0);
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

DWORD WINAPI Connection(void*) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(kBlockWirePort);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (s == INVALID_SOCKET || connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    InterlockedExchange(&failed, 1);
    if (s != INVALID_SOCKET) closesocket(s);
    return 1;
  }
  BlockPacketBytes packet;
  for (LONG i; !failed && (i = InterlockedIncrement(&nextBlock)) < static_cast<LONG>(plan.size());) {
    const Block& block = plan[static_cast<std::size_t>(i)];
    BlockHeader header;
    header.userName = "bench";
    header.remoteName = block.picture->remoteName;
    header.dateFolder = "2024-1-1";
    header.minuteFolder = "0";
    header.offset = block.span.offset;
    header.count = block.span.length;
    EncodeBlockPacket(header, std::string_view(block.picture->bytes).substr(block.span.offset, block.span.length),
                      packet);
    if (!Exchange(s, packet.data(), static_cast<int>(packet.size()))) InterlockedExchange(&failed, 1);
  }
  closesocket(s);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int connections = 6;
  std::vector<Picture> pictures;
  pictures.reserve(static_cast<std::size_t>(argc));
  unsigned long long total = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--connections") == 0 && i + 1 < argc) {
      connections = std::atoi(argv[++i]);
      continue;
    }
    Picture picture;
    picture.remoteName = "bare" + std::to_string(pictures.size()) + ".jpg";
    if (!ReadWhole(argv[i], picture.bytes)) {
      std::fprintf(stderr, "bare_sender: cannot read %s\n", argv[i]);
      return 1;
    }
    total += picture.bytes.size();
    pictures.push_back(std::move(picture));
  }
  if (connections < 1 || connections > 64) return 2;
  for (const Picture& picture : pictures) {
    PictureCursor cursor(static_cast<std::uint32_t>(picture.bytes.size()));
    while (auto span = cursor.NextBlock()) plan.push_back({&picture, *span});
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  std::vector<HANDLE> threads;
  for (int c = 0; c < connections; ++c) threads.push_back(CreateThread(nullptr, 0, Connection, nullptr, 0, nullptr));
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  QueryPerformanceCounter(&end);
  WSACleanup();
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  if (failed) {
    std::fprintf(stderr, "bare_sender: sending failed\n");
    return 1;
  }
  std::printf("bare bytes %llu seconds %.3f MBps %.2f blocks %u\n", total, seconds, total / 1048576.0 / seconds,
              static_cast<unsigned>(plan.size()));
  return 0;
}
