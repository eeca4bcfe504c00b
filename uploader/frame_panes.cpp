#include "uploader/frame_panes.h"

#include "editor/win/edit_image_dlg.h"
#include "editor/win/picture_steps.h"
#include "uploader/hoistly_resource.h"
#include "uploader/uploader_messages.h"

#include "thumblist/win/list_image_ctrl.h"
#include "uploader/image_view/image_view.h"

static_assert(CFileTreeView::kSelectItemMessage == WM_SELECT_TREE_ITEM, "the view selects tree folders by path");

namespace {

// CEditImageDlg as the picture view sees it: stepping through the view's list, reporting to the
// frame, its pixel readout in the status bar.
class PictureEditorAdapter : public hoistly::PictureEditor {
 public:
  PictureEditorAdapter(HWND view, const std::string& path, CListImageCtrl* list)
      : steps_(std::make_unique<mb::editor::ListImageSteps>(list)), dialog_(path, &steps_, view) {}

  bool Create(HWND frame) {
    dialog_.SetMainWindow(frame);
    dialog_.SetStatusSink([](const std::string& text) { CViewMediator::Get().SetStatusText(text.c_str()); });
    return dialog_.Create() != nullptr;
  }
  HWND Handle() const override { return dialog_.Handle(); }
  void SetImagePath(const std::string& path) override { dialog_.SetImagePath(path); }
  void InitTabs(CListImageCtrl* list) override { steps_.Use(list); }
  void LayOut() override { dialog_.LayOut(); }
  void OnEditCommand(UINT id) override { SendMessageA(dialog_.Handle(), WM_COMMAND, id, 0); }
  bool IsEditCommandEnabled(UINT id) const override { return dialog_.IsCommandEnabled(id); }
  // WM_EDITOR_PASS_ON goes on to the editor's window; WM_EDITOR_FULL_SCREEN_FLAG is kept.
  LRESULT OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_EDITOR_FULL_SCREEN_FLAG) {
      fullScreenFlag_ = wParam;
      return 0;
    }
    return SendMessageA(dialog_.Handle(), message, wParam, lParam);
  }

 private:
  // The list the editor steps through; the view may hand it another one later.
  class Steps : public mb::editor::PictureSteps {
   public:
    explicit Steps(std::unique_ptr<mb::editor::ListImageSteps> steps) : steps_(std::move(steps)) {}
    void Use(CListImageCtrl* list) { steps_ = std::make_unique<mb::editor::ListImageSteps>(list); }
    bool HasPrevious() const override { return steps_->HasPrevious(); }
    bool HasNext() const override { return steps_->HasNext(); }
    bool StepPrevious(std::string& path) override { return steps_->StepPrevious(path); }
    bool StepNext(std::string& path) override { return steps_->StepNext(path); }

   private:
    std::unique_ptr<mb::editor::ListImageSteps> steps_;
  };
  Steps steps_;
  CEditImageDlg dialog_;
  WPARAM fullScreenFlag_ = 0;
};

}  // namespace

// CImageView with the program's picture editor and side strip.
class PaneSet::PictureView {
 public:
  bool Create(HWND parent, HWND frame, CShowPaneDlg2& sideStrip) {
    view_.SetEditorFactory([frame](HWND view, const std::string& path, CListImageCtrl* list) {
      auto editor = std::make_unique<PictureEditorAdapter>(view, path, list);
      if (!editor->Create(frame)) editor.reset();
      return std::unique_ptr<hoistly::PictureEditor>(std::move(editor));
    });
    view_.SetSideStripFactory([&sideStrip](HWND view) { return sideStrip.Create(view); });
    const RECT rect = {0, 0, 100, 100};
    return view_.Create(parent, rect, ID_PANE_IMAGE_VIEW) != nullptr;
  }
  CImageView& View() { return view_; }
  void RecordTreeItem(const std::string& folder, HTREEITEM item) {
    view_.RecordTreeItem(folder, reinterpret_cast<WPARAM>(item));
  }

 private:
  CImageView view_;
};

void PaneSet::ViewHistory::RecordFolder(const std::string& path, HTREEITEM item) {
  if (panes_.view_) panes_.view_->RecordTreeItem(path, item);
}

PaneSet::PaneSet() = default;
PaneSet::~PaneSet() = default;

bool PaneSet::Create(fw::SplitterWindow& inner, fw::SplitterWindow& outer, int clientWidth, HWND frame) {
  const RECT none = {0, 0, 0, 0};
  folderTree_ = std::make_unique<CFileTreeView>();
  if (!folderTree_->Create(inner.Handle(), none, ID_PANE_FOLDER_TREE, frame)) return false;
  folderTree_->Tree().SetHistory(&history_);
  inner.SetPane(0, 0, folderTree_->Handle());
  inner.SetColumnInfo(0, 200, 100);
  sideStrip_ = std::make_unique<CShowPaneDlg2>([] { CViewMediator::Get().ResetPanes(); });
  view_ = std::make_unique<PictureView>();
  if (!view_->Create(inner.Handle(), frame, *sideStrip_)) return false;
  inner.SetPane(0, 1, view_->View().Handle());
  inner.SetColumnInfo(1, clientWidth * 6 / 10, 200);
  infoView_ = std::make_unique<CInfoView>();
  infoPane_ = infoView_->Create(outer.Handle(), none, ID_PANE_INFO, frame);
  limitView_ = std::make_unique<CImageLimitView>();
  limitPane_ = limitView_->Create(outer.Handle(), none, ID_PANE_IMAGE_LIMIT, frame);
  outer.SetPane(0, 0, infoPane_);
  outer.SetPane(1, 0, limitPane_);
  outer.SetRowInfo(0, 220, 0);
  outer.SetRowInfo(1, 220, 0);
  inner.SetPane(0, 2, outer.Handle());
  inner.SetColumnInfo(2, 220, 100);
  return infoPane_ && limitPane_;
}

HWND PaneSet::FolderTree() const { return folderTree_ ? folderTree_->Handle() : nullptr; }

std::string PaneSet::ChosenFolder() const { return folderTree_ ? folderTree_->Tree().CurrentPath() : std::string(); }


ImageViewLink* PaneSet::ImageView() const { return view_ ? &view_->View() : nullptr; }

HWND PaneSet::ImageViewWindow() const { return view_ ? view_->View().Handle() : nullptr; }
