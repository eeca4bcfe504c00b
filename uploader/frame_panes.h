// The main frame's four panes: the folder tree and the picture view side by side, the information
// pane over the picture settings pane in the third column. Panes whose window is not built yet are
// plain stand-in windows in their cells.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/splitter_window.h"
#include "uploader/view_mediator.h"

class PaneSet {
 public:
  PaneSet();
  ~PaneSet();
  PaneSet(const PaneSet&) = delete;
  PaneSet& operator=(const PaneSet&) = delete;

  // Makes the panes in the inner (1 x 3) and outer (2 x 1, in inner column 2) splitters.
  bool Create(fw::SplitterWindow& inner, fw::SplitterWindow& outer, int clientWidth);

  HWND FolderTree() const { return folderTree_; }
  HWND InfoPane() const { return infoPane_; }
  HWND LimitPane() const { return limitPane_; }
  // The picture view, or null when only its stand-in stands there.
  ImageViewLink* ImageView() const;
  HWND ImageViewWindow() const;

 private:
  HWND MakeStandIn(HWND parent, const char* name, UINT id);
  class PictureView;
  std::unique_ptr<PictureView> view_;
  HWND viewStandIn_ = nullptr;
  HWND folderTree_ = nullptr;
  HWND infoPane_ = nullptr;
  HWND limitPane_ = nullptr;
};
