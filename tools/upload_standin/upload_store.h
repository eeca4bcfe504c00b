// What the stand-in upload servers received: files rebuilt from their block packets, the decoded
// picture records and a line per block packet, kept so that tests can compare them with what was
// sent. Shared by the server threads, so every member is locked.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "upload/core/block_packet.h"
#include "upload/core/image_info.h"

namespace mb::standin {

struct StoredFile {
  std::string remoteName;
  std::string path;
  std::uint64_t size = 0;
};

struct ReceivedBlock {
  upload::BlockHeader header;
};

class UploadStore {
 public:
  // Files go to folder/files; the folder is made when missing.
  explicit UploadStore(std::string folder);

  // Writes the packet's count bytes at its offset into the file named by its remote name. False
  // (and nothing written) when the name is not a plain file name or the count is out of range.
  bool WriteBlock(const upload::BlockPacketBytes& packet);
  void AddRecord(const CImageInfo& record);

  std::vector<StoredFile> Files() const;
  std::vector<CImageInfo> Records() const;
  std::vector<ReceivedBlock> Blocks() const;
  std::uint64_t RejectedBlocks() const;
  // Forgets everything and deletes the stored files.
  void Reset();

  // A remote name becomes a file name only when it cannot leave the folder.
  static bool IsPlainFileName(const std::string& name);

 private:
  std::string FilesFolder() const { return folder_ + "/files"; }

  const std::string folder_;
  mutable std::mutex mutex_;
  std::map<std::string, std::uint64_t> sizes_;  // remote name -> bytes written up to
  std::vector<CImageInfo> records_;
  std::vector<ReceivedBlock> blocks_;
  std::uint64_t rejected_ = 0;
};

}  // namespace mb::standin
