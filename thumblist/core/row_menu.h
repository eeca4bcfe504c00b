// The picture list's row menu: which items are grey, which are taken out and which is checked,
// from what the list holds and what the uploader is doing.
#pragma once

#include <set>

namespace mb::thumblist {

namespace row_menu {
inline constexpr unsigned kStartUpload = 32802;
inline constexpr unsigned kPreview = 32783;
inline constexpr unsigned kEdit = 32792;
inline constexpr unsigned kReportView = 32794;
inline constexpr unsigned kThumbnailView = 32793;
inline constexpr unsigned kRotateRight = 32780;
inline constexpr unsigned kRotateLeft = 32782;
inline constexpr unsigned kTickAll = 32773;
inline constexpr unsigned kUntickAll = 32775;
inline constexpr unsigned kRemoveHighlighted = 32815;
inline constexpr unsigned kRemoveTicked = 32816;
inline constexpr unsigned kSelectColumns = 32787;
inline constexpr unsigned kSaveAs = 32798;
inline constexpr unsigned kOpenFolder = 32799;
inline constexpr unsigned kRefresh = 32804;
}  // namespace row_menu

struct ListSituation {
  bool highlighted = false;  // a row is highlighted
  bool ticked = false;       // a row is ticked
  int rowCount = 0;
  bool uploading = false;
  bool loggedIn = false;
  bool reportMode = false;
};

struct RowMenuState {
  std::set<unsigned> grey;
  std::set<unsigned> removed;
  unsigned checked = 0;
};

RowMenuState RowMenuStateFor(const ListSituation& situation);

// The start-upload item (and its command-update handler) follow the same rule.
bool StartUploadEnabled(const ListSituation& situation);

}  // namespace mb::thumblist
