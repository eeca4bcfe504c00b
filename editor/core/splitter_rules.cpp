#include "editor/core/splitter_rules.h"

#include <algorithm>

namespace mb::editor {

namespace {
constexpr int kPictureMinWidth = 300;
constexpr int kPictureFallbackWidth = 280;
constexpr int kBarsShare = 20;
constexpr int kPanelBarShare = 25;
constexpr int kFolderBarShare = 12;
}  // namespace

ColumnWidths ReleaseFolderBar(const ColumnWidths& now, int left, int right, int barRight) {
  ColumnWidths out = now;
  out.folder = barRight >= kFolderSnapBelow ? std::min(barRight - kFolderBarShare, kFolderMaxWidth)
                                            : kFolderSnapWidth;
  out.pictures = right - left - out.folder - now.panel - kBarsShare;
  if (out.pictures < kPictureMinWidth) out.pictures = kPictureFallbackWidth;
  return out;
}

ColumnWidths ReleasePanelBar(const ColumnWidths& now, int left, int right, int barRight) {
  ColumnWidths out = now;
  const int panelSide = std::max(right - barRight, kFolderSnapWidth);
  out.pictures = std::max(right - panelSide - now.folder - left - kPanelBarShare, kPictureMinWidth);
  out.panel = right - out.pictures - now.folder - left - kBarsShare;
  return out;
}

}  // namespace mb::editor
