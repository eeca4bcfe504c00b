// The engine's block stream sent from Linux: the same packets and the same stop-and-wait replies,
// over one or several connections. Used by the stand-in's tests and by the upload benchmark as the
// native reference.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "upload/core/block_packet.h"
#include "upload/core/image_info.h"

namespace mb::standin {

class NativeBlockClient {
 public:
  NativeBlockClient() = default;
  ~NativeBlockClient() { Close(); }
  NativeBlockClient(const NativeBlockClient&) = delete;
  NativeBlockClient& operator=(const NativeBlockClient&) = delete;

  // Every send and receive gives up after timeoutMs.
  bool Connect(const std::string& host, std::uint16_t port, int timeoutMs = 10000);
  // Sends the bytes in one call and waits for the whole 4-byte reply; false on any shortfall.
  bool Exchange(const unsigned char* data, std::size_t size);
  void Close();

 private:
  int fd_ = -1;
};

struct NativePicture {
  std::string remoteName;
  std::string bytes;
};

// Cuts every picture as the engine does and sends the blocks, in order, over `connections`
// connections: each connection takes the next block as soon as its previous one was answered.
// Returns false when a connection or a block failed.
bool SendPicturesAsEngine(const std::string& host, std::uint16_t port, int connections,
                          const std::string& userName, const std::vector<NativePicture>& pictures);

}  // namespace mb::standin
