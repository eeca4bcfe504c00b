#include "uploader/frame_panes.h"

#include "framework/module.h"
#include "uploader/hoistly_resource.h"

#if defined(HOISTLY_HAS_IMAGE_VIEW)
#include "uploader/image_view/image_view.h"
#endif

#if defined(HOISTLY_HAS_IMAGE_VIEW)
// CImageView as the mediator and the frame see it.
class PaneSet::PictureView : public ImageViewLink {
 public:
  bool Create(HWND parent) {
    const RECT rect = {0, 0, 100, 100};
    return view_.Create(parent, rect, ID_PANE_IMAGE_VIEW) != nullptr;
  }
  HWND ViewWindow() const override { return view_.Handle(); }
  void ResetUploadCounters() override { view_.ResetUploadCounters(); }
  void OpenFolder(const std::string& path) override { view_.OpenFolder(path); }
  int RowCount() const override { return view_.RowCount(); }
  int TickedCount() const override { return view_.TickedCount(); }
  int HighlightedCount() const override { return view_.HighlightedCount(); }
  void RefreshColumns() override { view_.RefreshColumns(); }
  void AddPictureFile(const std::string& path) override { view_.AddPictureFile(path); }
  bool IsEditWindowVisible() const override { return view_.IsEditWindowVisible(); }
  int CurrentListIndex() const override { return view_.CurrentListIndex(); }
  int StoredListCount() const override { return view_.StoredListCount(); }
  void ShowSideStrip(bool show) override { view_.ShowSideStrip(show); }

 private:
  CImageView view_;
};
#else
class PaneSet::PictureView {};
#endif

PaneSet::PaneSet() = default;
PaneSet::~PaneSet() = default;

HWND PaneSet::MakeStandIn(HWND parent, const char* name, UINT id) {
  return CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", name, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), fw::Module::Instance(), nullptr);
}

bool PaneSet::Create(fw::SplitterWindow& inner, fw::SplitterWindow& outer, int clientWidth) {
  folderTree_ = MakeStandIn(inner.Handle(), "", ID_PANE_FOLDER_TREE);
  inner.SetPane(0, 0, folderTree_);
  inner.SetColumnInfo(0, 200, 100);
#if defined(HOISTLY_HAS_IMAGE_VIEW)
  view_ = std::make_unique<PictureView>();
  if (!view_->Create(inner.Handle())) return false;
  inner.SetPane(0, 1, view_->ViewWindow());
#else
  viewStandIn_ = MakeStandIn(inner.Handle(), "", ID_PANE_IMAGE_VIEW);
  inner.SetPane(0, 1, viewStandIn_);
#endif
  inner.SetColumnInfo(1, clientWidth * 6 / 10, 200);
  infoPane_ = MakeStandIn(outer.Handle(), "", ID_PANE_INFO);
  limitPane_ = MakeStandIn(outer.Handle(), "", ID_PANE_IMAGE_LIMIT);
  outer.SetPane(0, 0, infoPane_);
  outer.SetPane(1, 0, limitPane_);
  outer.SetRowInfo(0, 220, 0);
  outer.SetRowInfo(1, 220, 0);
  inner.SetPane(0, 2, outer.Handle());
  inner.SetColumnInfo(2, 220, 100);
  return folderTree_ && infoPane_ && limitPane_;
}

ImageViewLink* PaneSet::ImageView() const {
#if defined(HOISTLY_HAS_IMAGE_VIEW)
  return view_.get();
#else
  return nullptr;
#endif
}

HWND PaneSet::ImageViewWindow() const {
#if defined(HOISTLY_HAS_IMAGE_VIEW)
  return view_ ? view_->ViewWindow() : nullptr;
#else
  return viewStandIn_;
#endif
}
