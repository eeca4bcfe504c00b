#include "client/core/download_naming.h"

#include "client/core/path_text.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

// The counter of a base name ending in "(digits-or-blanks)": its value, and the base before the
// parenthesis. Blanks inside are skipped; "()" counts as 0.
bool SplitCounter(std::string_view base, std::string_view& stem, long& counter) {
  if (!GbkEndsWith(base, ')')) return false;
  const std::size_t open = GbkFindLast(base, '(');
  if (open == std::string_view::npos) return false;
  long value = 0;
  for (std::size_t i = open + 1; i + 1 < base.size(); ++i) {
    const char c = base[i];
    if (c == ' ') continue;
    if (c < '0' || c > '9' || value > 100000000) return false;
    value = value * 10 + (c - '0');
  }
  stem = base.substr(0, open);
  counter = value;
  return true;
}

}  // namespace

std::string DownloadFileName(std::string_view address) {
  std::size_t end = address.size();
  for (char mark : {'?', '#'}) {
    const std::size_t at = GbkFind(address.substr(0, end), mark);
    if (at != std::string_view::npos) end = at;
  }
  return GetFileNamePart(address.substr(0, end));
}

std::string FitCategoryName(std::string_view category) {
  std::string_view trimmed = TrimBlanks(category);
  return std::string(TrimBlanks(trimmed.substr(0, GbkCutLength(trimmed, kCategoryMaxBytes))));
}

std::string MakeUniqueFileName(const std::string& path,
                               const std::function<bool(const std::string&)>& taken) {
  const PathParts parts = SplitPath(path);
  std::string_view stem = parts.baseName;
  long counter = 0;
  SplitCounter(parts.baseName, stem, counter);
  const std::string extension = parts.extension.empty() ? "" : "." + parts.extension;
  for (;; ++counter) {
    std::string candidate = parts.folder + std::string(stem);
    if (counter != 0) candidate += "(" + std::to_string(counter) + ")";
    candidate += extension;
    if (!taken(candidate)) return candidate;
  }
}

DownloadRecord MakeDownloadRecord(const std::string& localPath, const std::string& category,
                                  const DownloadRequest& request) {
  DownloadRecord record;
  record.localPath = localPath;
  record.category = category;
  record.f2 = request.f2;
  record.f3 = request.f3;
  record.f4 = request.f4;
  record.f5 = request.f5;
  return record;
}

}  // namespace mb
