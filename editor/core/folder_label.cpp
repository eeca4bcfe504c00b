#include "editor/core/folder_label.h"

#include "client/core/path_text.h"
#include "common/gbk_text.h"

namespace mb::editor {

namespace {
constexpr std::size_t kMaxPath = 260;
}

std::optional<std::string> NewFolderPath(std::string_view parent, std::string_view name) {
  if (parent.empty() || !IsSafeLocalName(name)) return std::nullopt;
  std::string path(parent);
  if (!GbkEndsWith(path, '\\')) path += '\\';
  path.append(name.data(), name.size());
  if (path.size() + 1 > kMaxPath) return std::nullopt;
  return path;
}

bool IsDrivePath(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return false;
  const char drive = path[0];
  return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
}

}  // namespace mb::editor
