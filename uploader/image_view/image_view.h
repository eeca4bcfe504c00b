// CImageView: the uploader's large picture pane. It shows the chosen folder's pictures in a
// CListImageCtrl (one list per folder opened before, so a folder opened again is not read again),
// reads big folders on a scan thread behind the loading dialog, lends its area to the picture
// editor, and starts and follows a batch upload: ticked rows become upload jobs of a new
// CZELUploadThreadsPool, and the engine's reports (forwarded by the frame) become the progress
// bar, "files done of total", the speed and the elapsed time, shown through CViewMediator.
//
// The frame creates it as a child of a splitter cell (Create) and forwards the engine's
// messages to it; everything runs on the frame's thread except the scan threads, which reach the
// view and its lists only by messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/window.h"
#include "uploader/image_view/image_view_messages.h"
#include "uploader/view_mediator.h"

class CListImageCtrl;
class CZELUploadThreadsPool;

namespace hoistly {

// The picture editor as the view sees it. The editor window (dialog template 143) is a child of
// the view, made on first use by the factory the program installs.
class PictureEditor {
 public:
  virtual ~PictureEditor() = default;
  virtual HWND Handle() const = 0;
  virtual void SetImagePath(const std::string& path) = 0;
  // Gives the editor's tab strip the list it steps through.
  virtual void InitTabs(CListImageCtrl* list) = 0;
  // Lays its children out for its present size.
  virtual void LayOut() = 0;
  // An editing command of the frame's menu or toolbar, and its enabling.
  virtual void OnEditCommand(UINT id) = 0;
  virtual bool IsEditCommandEnabled(UINT id) const = 0;
  // WM_EDITOR_PASS_ON and WM_EDITOR_FULL_SCREEN_FLAG as the view received them.
  virtual LRESULT OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

using PictureEditorFactory =
    std::function<std::unique_ptr<PictureEditor>(HWND view, const std::string& path, CListImageCtrl* list)>;
// The 16-pixel side strip (dialog template 207, one button) at the view's right edge; the view
// owns and destroys the window returned.
using SideStripFactory = std::function<HWND(HWND view)>;

}  // namespace hoistly

class CImageView : public fw::Window, public ImageViewLink {
 public:
  CImageView();
  ~CImageView() override;

  // A child window filling rect of parent (a splitter cell), with the given child id.
  HWND Create(HWND parent, const RECT& rect, UINT id);

  void SetEditorFactory(hoistly::PictureEditorFactory factory);
  void SetSideStripFactory(hoistly::SideStripFactory factory);

  HWND ViewWindow() const override { return Handle(); }
  // Shows the folder's pictures (asked by the frame when the folder tree's selection changes).
  void OpenFolder(const std::string& folder) override;
  // The settings pane's edits go back to the rows of the list on show.
  void StorePendingSettings() override;
  // The folder tree's item of a folder chosen there, which stepping back or forward to the
  // folder's list selects again.
  void RecordTreeItem(const std::string& folder, WPARAM item);

  // The list on show and what the frame's command enabling asks of it.
  CListImageCtrl* CurrentList() const;
  int RowCount() const override;
  int TickedCount() const override;
  int HighlightedCount() const override;
  void RefreshColumns() override;
  // Adds one picture file to the list on show (import); false when it could not be read.
  bool AddPictureFile(const std::string& path) override;
  bool IsEditWindowVisible() const override;
  bool IsEditCommandEnabled(UINT id) const override;
  int CurrentListIndex() const override;
  int StoredListCount() const override;
  void ShowSideStrip(bool show) override;
  bool IsSideStripVisible() const;

  // The batch in progress, for the progress bar's own text.
  std::uint64_t BlocksSent() const override;
  std::uint64_t BlocksTotal() const override;
  // Every picture sent (the frame's WM_UPLOAD_STATUS 9): every block counts as acknowledged.
  void CompleteBatch() override;
  // At the end of an upload (the frame's WM_UPLOAD_STATUS 9).
  void ResetUploadCounters() override;

 protected:
  // Message boxes of the view (owner none, title "墨岚屏[Pelora]-系统消息"); the member's answer.
  virtual int AskMember(const std::string& text, UINT type);
  // A new pool for a batch; its thread runs at once.
  virtual CZELUploadThreadsPool* CreatePool();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};
