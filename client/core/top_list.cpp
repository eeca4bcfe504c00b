#include "client/core/top_list.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "client/core/login_exchange.h"
#include "client/core/path_text.h"
#include "common/atomic_file.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

// "before(after" or "before(after)": split at the last '('; false when there is none.
bool SplitAtLastParenthesis(std::string_view item, std::string& before, std::string& after) {
  const std::size_t open = GbkFindLast(item, '(');
  if (open == std::string_view::npos) return false;
  before = std::string(item.substr(0, open));
  std::string_view rest = item.substr(open + 1);
  if (GbkEndsWith(rest, ')')) rest.remove_suffix(1);
  after = std::string(rest);
  return true;
}

}  // namespace

std::optional<TopList> ParseTopList(std::string_view text) {
  std::vector<std::string> items;
  for (std::string& item : GbkSplit(text, "*")) {
    if (!item.empty()) items.push_back(std::move(item));
  }
  if (items.size() < 3) return std::nullopt;

  TopList list;
  list.stamp = static_cast<int>(std::strtol(items.back().c_str(), nullptr, 10));
  std::string home;
  if (!SplitAtLastParenthesis(items[items.size() - 2], home, list.label)) home = items[items.size() - 2];
  if (IsStorableServiceUrl(home)) list.homeAddress = home;

  for (std::size_t i = 0; i + 2 < items.size(); ++i) {
    TopListPicture picture;
    if (!SplitAtLastParenthesis(items[i], picture.url, picture.category)) {
      ++list.refused;
      continue;
    }
    picture.fileName = GetFileNamePart(picture.url);
    if (!IsStorableServiceUrl(picture.url) || !IsSafeLocalName(picture.category) ||
        !IsSafeLocalName(picture.fileName)) {
      ++list.refused;
      continue;
    }
    list.pictures.push_back(std::move(picture));
  }
  return list;
}

int ReadTopListStamp(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes || bytes->size() < 4) return 1;
  std::int32_t stamp = 0;
  std::memcpy(&stamp, bytes->data(), sizeof stamp);
  return stamp;
}

bool WriteTopListStamp(const std::string& path, int stamp) {
  const std::int32_t value = stamp;
  char bytes[4];
  std::memcpy(bytes, &value, sizeof bytes);
  return WriteFileReplacing(path, std::string_view(bytes, sizeof bytes));
}

bool LooksLikePicture(std::string_view b) {
  auto startsWith = [b](std::string_view magic) { return b.substr(0, magic.size()) == magic; };
  return startsWith("\xFF\xD8\xFF") || startsWith("\x89PNG\r\n\x1A\n") || startsWith("GIF87a") ||
         startsWith("GIF89a") || startsWith("BM");
}

std::string TopListTarget(const std::string& downloadFolder, const TopListPicture& picture) {
  return downloadFolder + picture.category + "\\" + picture.fileName;
}

}  // namespace mb
