#include "upload/win/socket_file_sender.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "upload/core/block_packet.h"
#include "upload/win/zel_socket.h"

using namespace mb::upload;

namespace {

constexpr int kBlockTries = 3;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Sends one packet: up to three tries, each failure followed by a new connection. The socket has
// no connection before the first block, so that block's first try always connects.
enum class BlockResult { kSent, kFailed, kStopped };

BlockResult SendWithTries(CZELSocket& socket, const BlockPacketBytes& packet, UploadPageSink& page) {
  const char* bytes = reinterpret_cast<const char*>(packet.data());
  const int size = static_cast<int>(packet.size());
  for (int tries = 0; tries < kBlockTries;) {
    if (page.StopRequested()) return BlockResult::kStopped;
    char reply[kReplySize];
    if (socket.Send(bytes, size) == size && socket.Recv(reply, sizeof reply) == sizeof reply) {
      return BlockResult::kSent;
    }
    // A short reply fails the try as a failed send does; after the last try no new connection
    // is worth making.
    if (++tries == kBlockTries) break;
    if (socket.Connect(3) != 0) return BlockResult::kFailed;
  }
  return BlockResult::kFailed;
}

}  // namespace

int SocketFileSender(const char* path, const char* dateFolder, const char* minuteFolder, const char* remoteName,
                     const char* userName, UploadPageSink* page) {
  CZELSocket socket;
  struct _stat64 status;
  if (!path || _stat64(path, &status) != 0) {
    page->ShowUploadError("获取图片文件信息错误,请确认文件是否存在!");
    return 0;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) {
    page->ShowUploadError("打开图片文件信息错误!");
    return 0;
  }
  const std::uint64_t size = static_cast<std::uint64_t>(status.st_size);
  BlockHeader header;
  header.userName = userName ? userName : "";
  header.remoteName = remoteName ? remoteName : "";
  header.dateFolder = dateFolder ? dateFolder : "";
  header.minuteFolder = minuteFolder ? minuteFolder : "";
  header.count = kBlockDataSize;
  header.uploadType = 0;
  char data[kBlockDataSize];
  BlockPacketBytes packet;
  for (std::uint64_t sent = 0; sent < size;) {
    const std::size_t read = std::fread(data, 1, sizeof data, file.get());
    if (read == 0) {  // the file shrank under us: what is on the server is not the picture
      page->ShowUploadError("获取图片文件信息错误,请确认文件是否存在!");
      return 0;
    }
    header.offset = static_cast<std::uint32_t>(sent);
    EncodeBlockPacket(header, std::string_view(data, read), packet);
    sent = std::min<std::uint64_t>(sent + kBlockDataSize, size);
    const BlockResult result = SendWithTries(socket, packet, *page);
    if (result == BlockResult::kStopped) return 0;
    if (result == BlockResult::kFailed) {
      page->ShowUploadError("与服务器建立连接失败,上传文件失败,请检查网络是否畅通!");
      return 0;
    }
    page->SetUploadProgress(static_cast<unsigned>(sent * 100 / size));
  }
  return 1;
}
