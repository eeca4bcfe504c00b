// UploadFileState: the pool's record of the pictures it sends. It names each picture when the
// picture is set up (one reading of the local time) and sends each picture's CImageInfo record
// over its own connection to the record server.
#pragma once

#include <string>

#include "upload/core/block_packet.h"
#include "upload/core/image_info.h"
#include "upload/core/remote_name.h"
#include "upload/win/upload_worker.h"
#include "upload/win/zel_socket.h"

namespace mb::upload {

struct PictureIdentity {
  std::string path;
  std::string remoteName;
  std::string extension;
  std::string dateFolder;
  std::string minuteFolder;
};

class UploadFileState {
 public:
  static constexpr int kRecordTries = 10;

  UploadFileState() : recordSocket_(kRecordPort) {}
  void Configure(const NetworkSettings& settings) {
    recordSocket_.SetTimeouts(settings.connectTimeoutMs, settings.ioTimeoutMs);
  }

  // Names the picture at path for userName, from the local time now; no two pictures of the run
  // get the same remote name.
  PictureIdentity RemoteNameBuilder(const std::string& path, const std::string& userName);
  // Sends the 800-byte record and waits for its 4-byte answer, up to kRecordTries tries, each
  // failure on a fresh connection. False when it could not be delivered.
  bool SendImageRecord(const CImageInfo& record);
  void Close() { recordSocket_.CleanSocket(); }
  // From any thread: a record being sent fails at once, and so does every later one.
  void Abort() { recordSocket_.Abort(); }

 private:
  CZELSocket recordSocket_;
  DistinctTicks ticks_;
};

}  // namespace mb::upload
