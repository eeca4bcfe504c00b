#include "uploader/image_view/picture_folder.h"

#include "common/gbk_text.h"

namespace hoistly {

namespace {

bool HasWildcard(std::string_view text) {
  return mb::GbkFind(text, '*') != std::string_view::npos || mb::GbkFind(text, '?') != std::string_view::npos;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsPictureFileName(std::string_view name) {
  const std::size_t dot = mb::GbkFindLast(name, '.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot);
  for (const char* known : {".gif", ".jpg", ".jpeg", ".bmp"}) {
    if (mb::GbkEqualsNoCase(extension, known)) return true;
  }
  return false;
}

bool IsUsableFolder(std::string_view folder) {
  const bool drive = folder.size() >= 3 && IsDriveLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\';
  const bool network = folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\' && folder[2] != '\\';
  if (!drive && !network) return false;
  if (HasWildcard(folder) || mb::GbkFind(folder.substr(2), ':') != std::string_view::npos) return false;
  // Room for the separator, a one-letter name with its extension and the terminating zero.
  return FolderWithSeparator(folder).size() + 6 <= kPathFieldSize;
}

std::string FolderWithSeparator(std::string_view folder) {
  std::string result(folder);
  while (mb::GbkEndsWith(result, '\\') && result.size() > 3) result.pop_back();
  if (!mb::GbkEndsWith(result, '\\')) result += '\\';
  return result;
}

std::optional<std::string> JoinPicturePath(std::string_view folder, std::string_view name) {
  if (name.empty() || name == "." || name == ".." || HasWildcard(name)) return std::nullopt;
  for (char c : {'\\', '/', ':'}) {
    if (mb::GbkFind(name, c) != std::string_view::npos) return std::nullopt;
  }
  std::string path = FolderWithSeparator(folder);
  path += name;
  if (!FitsPathField(path)) return std::nullopt;
  return path;
}

bool FitsPathField(std::string_view path) {
  return path.size() < kPathFieldSize;
}

}  // namespace hoistly
