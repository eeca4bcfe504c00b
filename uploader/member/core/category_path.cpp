#include "uploader/member/core/category_path.h"

#include "common/gbk_text.h"

namespace mb::uploader {

const char* UploadKindName(int kind) {
  switch (kind) {
    case kKindOriginal:
      return "\xD4\xAD\xB4\xB4";  // 原创
    case kKindActive:
      return "\xBB\xEE\xB6\xAF";  // 活动
    case kKindTheme:
      return "\xD6\xF7\xCC\xE2";  // 主题
    default:
      return "\xB1\xDA\xD6\xBD";  // 壁纸
  }
}

UploadKind UploadKindOf(int value) {
  return value == kKindOriginal || value == kKindActive || value == kKindTheme ? static_cast<UploadKind>(value)
                                                                                : kKindWallpaper;
}

std::string JoinCategoryPath(std::string_view kindName, const std::vector<std::string>& levels) {
  std::string path(kindName);
  for (const std::string& level : levels) path += "-" + level;
  return path;
}

std::vector<std::string> CategoryPathLevels(std::string_view path) {
  std::vector<std::string> levels = GbkSplit(path, "-");
  levels.erase(levels.begin());
  return levels;
}

}  // namespace mb::uploader
