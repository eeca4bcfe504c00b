// The main frame's four panes: the folder tree and the picture view side by side, the information
// pane over the picture settings pane in the third column. The picture view gets the picture
// editor and the side strip from here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "editor/win/file_tree_view.h"
#include "editor/win/show_pane_strip.h"
#include "uploader/member/win/image_limit_view.h"

#include "framework/splitter_window.h"
#include "uploader/status/info_view.h"
#include "uploader/view_mediator.h"

class PaneSet {
 public:
  PaneSet();
  ~PaneSet();
  PaneSet(const PaneSet&) = delete;
  PaneSet& operator=(const PaneSet&) = delete;

  // Makes the panes in the inner (1 x 3) and outer (2 x 1, in inner column 2) splitters; the
  // panes report to frame.
  bool Create(fw::SplitterWindow& inner, fw::SplitterWindow& outer, int clientWidth, HWND frame);

  HWND FolderTree() const;
  // The folder chosen in the tree, empty for a virtual item.
  std::string ChosenFolder() const;
  HWND InfoPane() const { return infoPane_; }
  HWND LimitPane() const { return limitPane_; }
  // The picture view (null before Create).
  ImageViewLink* ImageView() const;
  HWND ImageViewWindow() const;

 private:
  class PictureView;
  std::unique_ptr<PictureView> view_;
  // The tree's back and forward: the picture view keeps one list per folder opened, and the
  // folder's tree item with it.
  class ViewHistory : public FolderHistoryLink {
   public:
    explicit ViewHistory(PaneSet& panes) : panes_(panes) {}
    void RecordFolder(const std::string& path, HTREEITEM item) override;
    int HistoryCount() const override { return CViewMediator::Get().StoredListCount(); }
    int HistoryPosition() const override { return CViewMediator::Get().CurrentListIndex(); }

   private:
    PaneSet& panes_;
  };
  ViewHistory history_{*this};
  std::unique_ptr<CFileTreeView> folderTree_;
  std::unique_ptr<CImageLimitView> limitView_;
  std::unique_ptr<CInfoView> infoView_;
  std::unique_ptr<CShowPaneDlg2> sideStrip_;
  HWND infoPane_ = nullptr;
  HWND limitPane_ = nullptr;
};
