// The category path text a picture's settings carry: the upload kind's name, then for each
// chosen category level "-" and its name ("壁纸-风景-山水").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb::uploader {

enum UploadKind : int { kKindWallpaper = 0, kKindOriginal = 1, kKindActive = 2, kKindTheme = 3 };

// "壁纸", "原创", "活动", "主题"; an unknown kind is a wallpaper.
const char* UploadKindName(int kind);
// The kind a record carries: 1, 2 and 3 as they are, anything else a wallpaper.
UploadKind UploadKindOf(int value);
// Actives and themes are chosen from one list and take the compact layout.
inline bool IsCompactKind(int kind) { return kind == kKindActive || kind == kKindTheme; }

std::string JoinCategoryPath(std::string_view kindName, const std::vector<std::string>& levels);
// The levels of a path, the kind left out; a path with the kind alone has none.
std::vector<std::string> CategoryPathLevels(std::string_view path);

}  // namespace mb::uploader
