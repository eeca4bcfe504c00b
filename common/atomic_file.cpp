#include "common/atomic_file.h"

#include <cstdio>
#include <memory>

namespace mb {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, n);
  if (std::ferror(f.get())) return std::nullopt;
  return bytes;
}

bool FileExists(const std::string& path) { return FilePtr(std::fopen(path.c_str(), "rb")) != nullptr; }

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".new";
  {
    FilePtr f(std::fopen(temp.c_str(), "wb"));
    if (!f) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
    written = std::fflush(f.get()) == 0 && written;
    if (!written) {
      f.reset();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (!ReplaceFileWith(temp, path)) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool KeepAsideUnreadable(const std::string& path) {
  return FileExists(path) && ReplaceFileWith(path, path + ".bad");
}

}  // namespace mb
