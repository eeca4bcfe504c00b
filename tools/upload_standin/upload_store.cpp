#include "tools/upload_standin/upload_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace mb::standin {

UploadStore::UploadStore(std::string folder) : folder_(std::move(folder)) {
  std::filesystem::create_directories(FilesFolder());
}

bool UploadStore::IsPlainFileName(const std::string& name) {
  if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
           c == '>' || c == '|';
  });
}

bool UploadStore::WriteBlock(const upload::BlockPacketBytes& packet) {
  const upload::BlockHeader header = upload::DecodeBlockHeader(packet);
  std::lock_guard<std::mutex> lock(mutex_);
  blocks_.push_back({header});
  if (!IsPlainFileName(header.remoteName) || header.count > upload::kBlockDataSize) {
    ++rejected_;
    return false;
  }
  const std::string path = FilesFolder() + "/" + header.remoteName;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  if (fd < 0) {
    ++rejected_;
    return false;
  }
  const ssize_t written = ::pwrite(fd, upload::BlockData(packet), header.count, header.offset);
  ::close(fd);
  if (written != static_cast<ssize_t>(header.count)) {
    ++rejected_;
    return false;
  }
  std::uint64_t& size = sizes_[header.remoteName];
  size = std::max<std::uint64_t>(size, std::uint64_t{header.offset} + header.count);
  return true;
}

void UploadStore::AddRecord(const CImageInfo& record) {
  std::lock_guard<std::mutex> lock(mutex_);
  records_.push_back(record);
}

std::vector<StoredFile> UploadStore::Files() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<StoredFile> files;
  for (const auto& [name, size] : sizes_) files.push_back({name, FilesFolder() + "/" + name, size});
  return files;
}

std::vector<CImageInfo> UploadStore::Records() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return records_;
}

std::vector<ReceivedBlock> UploadStore::Blocks() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return blocks_;
}

std::uint64_t UploadStore::RejectedBlocks() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return rejected_;
}

void UploadStore::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::error_code ignored;
  std::filesystem::remove_all(FilesFolder(), ignored);
  std::filesystem::create_directories(FilesFolder(), ignored);
  sizes_.clear();
  records_.clear();
  blocks_.clear();
  rejected_ = 0;
}

}  // namespace mb::standin
