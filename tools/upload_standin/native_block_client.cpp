#include "tools/upload_standin/native_block_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

#include "upload/core/block_plan.h"

namespace mb::standin {

bool NativeBlockClient::Connect(const std::string& host, std::uint16_t port, int timeoutMs) {
  Close();
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, host.c_str(), &address.sin_addr);
  if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    Close();
    return false;
  }
  const int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  return true;
}

bool NativeBlockClient::Exchange(const unsigned char* data, std::size_t size) {
  if (fd_ < 0) return false;
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::send(fd_, data + done, size - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  unsigned char reply[upload::kReplySize];
  for (std::size_t done = 0; done < sizeof reply;) {
    const ssize_t n = ::recv(fd_, reply + done, sizeof reply - done, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void NativeBlockClient::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

namespace {
struct PlannedBlock {
  const NativePicture* picture;
  upload::BlockSpan span;
};
}  // namespace

bool SendPicturesAsEngine(const std::string& host, std::uint16_t port, int connections,
                          const std::string& userName, const std::vector<NativePicture>& pictures) {
  std::vector<PlannedBlock> plan;
  for (const NativePicture& picture : pictures) {
    upload::PictureCursor cursor(static_cast<std::uint32_t>(picture.bytes.size()));
    while (auto span = cursor.NextBlock()) plan.push_back({&picture, *span});
  }
  std::atomic<std::size_t> next{0};
  std::atomic<bool> ok{true};
  std::vector<std::thread> threads;
  for (int c = 0; c < connections; ++c) {
    threads.emplace_back([&] {
      NativeBlockClient client;
      if (!client.Connect(host, port)) {
        ok = false;
        return;
      }
      upload::BlockPacketBytes packet;
      for (std::size_t i; ok && (i = next++) < plan.size();) {
        const PlannedBlock& block = plan[i];
        upload::BlockHeader header;
        header.userName = userName;
        header.remoteName = block.picture->remoteName;
        header.dateFolder = "2024-1-1";
        header.minuteFolder = "0";
        header.offset = block.span.offset;
        header.count = block.span.length;
        upload::EncodeBlockPacket(
            header, std::string_view(block.picture->bytes).substr(block.span.offset, block.span.length), packet);
        if (!client.Exchange(packet.data(), packet.size())) ok = false;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return ok;
}

}  // namespace mb::standin
