// Any bytes read as downloadinfo.res or wallpaper.dat give records and paths that can be written
// and read back: a record changes at most by the last character of a field that filled its width.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "client/core/client_data_files.h"

namespace {
void CheckKeptOrCut(const std::string& original, const std::string& again) {
  if (original.compare(0, again.size(), again) != 0 || again.size() + 2 < original.size()) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  for (const mb::DownloadRecord& record : mb::ParseDownloadInfo(bytes)) {
    const std::string stored = mb::SerializeDownloadRecord(record);
    const mb::DownloadRecord again = mb::ParseDownloadRecord(stored);
    if (mb::SerializeDownloadRecord(again) != stored) std::abort();
    CheckKeptOrCut(record.localPath, again.localPath);
    CheckKeptOrCut(record.category, again.category);
    CheckKeptOrCut(record.f2, again.f2);
    CheckKeptOrCut(record.f3, again.f3);
    CheckKeptOrCut(record.f4, again.f4);
    CheckKeptOrCut(record.f5, again.f5);
  }

  const auto list = mb::ParseWallpaperList(bytes);
  std::string saved;
  for (const std::string& path : list) saved += path + "\n";
  if (mb::ParseWallpaperList(saved) != list) std::abort();
  return 0;
}
