#include "thumblist/core/row_menu.h"

namespace mb::thumblist {

using namespace row_menu;

bool StartUploadEnabled(const ListSituation& s) { return s.loggedIn && s.rowCount > 0 && !s.uploading; }

RowMenuState RowMenuStateFor(const ListSituation& s) {
  RowMenuState state;
  state.removed.insert(kPreview);
  if (!s.reportMode) state.removed.insert(kSelectColumns);
  state.checked = s.reportMode ? kReportView : kThumbnailView;
  if (!StartUploadEnabled(s)) state.grey.insert(kStartUpload);
  if (!s.highlighted) state.grey.insert({kEdit, kPreview, kRemoveHighlighted, kSaveAs});
  if (!s.ticked) state.grey.insert({kRemoveTicked, kUntickAll});
  if (s.rowCount == 0) state.grey.insert({kTickAll, kUntickAll});
  if (!s.highlighted && !s.ticked) state.grey.insert({kRotateLeft, kRotateRight});
  if (s.uploading) state.grey.insert({kStartUpload, kEdit, kRemoveHighlighted, kRotateLeft, kRotateRight, kRemoveTicked});
  return state;
}

}  // namespace mb::thumblist
