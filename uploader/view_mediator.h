// CViewMediator: how the uploader's views and panes reach each other and the main frame without
// holding pointers of their own. One object, created on first use; every operation does nothing
// (or answers 0) while its target is not registered.
//
// The frame registers itself (a FrameLink) and the picture view (an ImageViewLink) when it has made
// its panes. Everything here runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// What the mediator asks of the main frame: its status bar, progress bar and side panes.
class FrameLink {
 public:
  virtual HWND FrameHandle() const = 0;
  // Status bar: pane 0 = text, pane 1 empty, with the ordinary pane widths.
  virtual void SetStatusText(const char* text) = 0;
  virtual void SetPaneText(int pane, const char* text) = 0;
  virtual void SetProgressRange(unsigned short n) = 0;
  virtual void SetProgressPos(int pos) = 0;
  virtual int ProgressPos() const = 0;
  virtual void ShowProgress(bool show) = 0;
  // The current folder changed: the side panes hear of it.
  virtual void OnFolderOpened() = 0;
  // Shows every hidden cell and both side panes, hides the picture view's side strip.
  virtual void ResetPanes() = 0;

 protected:
  ~FrameLink() = default;
};

// What the mediator and the frame ask of the picture view (CImageView).
class ImageViewLink {
 public:
  virtual HWND ViewWindow() const = 0;
  virtual void ResetUploadCounters() = 0;
  // The running batch's blocks acknowledged and blocks in all.
  virtual std::uint64_t BlocksSent() const = 0;
  virtual std::uint64_t BlocksTotal() const = 0;
  virtual void CompleteBatch() = 0;
  virtual void OpenFolder(const std::string& path) = 0;
  // The settings pane's edits go back to the rows of the list on show.
  virtual void StorePendingSettings() = 0;
  virtual int RowCount() const = 0;
  virtual int TickedCount() const = 0;
  virtual int HighlightedCount() const = 0;
  virtual void RefreshColumns() = 0;
  // Adds one picture file (a full path) to the current list; false when it could not be read.
  virtual bool AddPictureFile(const std::string& path) = 0;
  virtual bool IsEditWindowVisible() const = 0;
  virtual bool IsEditCommandEnabled(UINT id) const = 0;
  virtual int CurrentListIndex() const = 0;
  virtual int StoredListCount() const = 0;
  // The narrow strip the view shows at its side while both side panes are closed.
  virtual void ShowSideStrip(bool show) = 0;

 protected:
  ~ImageViewLink() = default;
};

class CViewMediator {
 public:
  static CViewMediator& Get();

  void RegisterFrame(FrameLink* frame) { frame_ = frame; }
  void RegisterImageView(ImageViewLink* view) { imageView_ = view; }
  void RegisterFolderTree(HWND tree) { folderTree_ = tree; }
  FrameLink* Frame() const { return frame_; }
  ImageViewLink* ImageView() const { return imageView_; }
  HWND FolderTree() const { return folderTree_; }
  // The main frame's window, or null: the window the views send the frame's messages to.
  HWND FrameWindow() const;

  // Stores the flag here and in CConfig's uploading flag.
  void SetUploading(int flag);
  int GetUploading() const { return uploading_; }

  // Status bar: pane 0 = text, pane 1 empty, the ordinary pane layout.
  void SetStatusText(const char* text);
  // Any one pane's text (0-3).
  void SetPaneText(int pane, const char* text);
  // "当前文件夹共有 %d 张图片文件，其中 %d 张被选中"; rows -1 shows as 0.
  void ShowFolderCount(int rows, int ticked);
  // Pane 1: the current folder, with "       选定大小：%d*%d" when w or h is non-zero.
  void ShowSelectionSize(int width, int height);
  // Pane 2 = elapsed text; pane 3 = the speed ("%0.1fK /s" from 1,024 bytes a second on,
  // "%uB /s" below, empty at 0).
  void ShowTransferState(unsigned speed, const char* elapsed);

  // The progress bar over status pane 1: range 0..n (n up to 65,535), position, visibility.
  void SetProgressRange(unsigned short n);
  void SetProgressPos(int pos);
  int GetProgressPos() const;
  void ShowProgress(bool show);

  void ResetUploadCounters();
  // The picture view's upload counters (0 without a view).
  std::uint64_t BlocksSent() const;
  std::uint64_t BlocksTotal() const;
  // Every picture sent: the picture view counts every block as acknowledged.
  void CompleteBatch();
  // Every hidden pane shown again, both side panes marked shown, the side strip hidden.
  void ResetPanes();
  // The frame keeps the path as its current folder; the settings pane's edits go back to their
  // rows before the side panes hear of the folder (which empties them); then the view opens it.
  void OpenFolder(const std::string& path);
  const std::string& CurrentFolder() const { return currentFolder_; }

  // List queries for the frame's command enabling (0 / false without a view).
  int RowCount() const;
  int TickedCount() const;
  int HighlightedCount() const;
  void RefreshColumns();
  void AddPictureFile(const std::string& path);
  bool IsEditWindowVisible() const;
  // The picture editor's enabling of its own command (false without an editor).
  bool IsEditCommandEnabled(UINT id) const;
  int CurrentListIndex() const;
  int StoredListCount() const;

 private:
  CViewMediator() = default;

  FrameLink* frame_ = nullptr;
  ImageViewLink* imageView_ = nullptr;
  HWND folderTree_ = nullptr;
  int uploading_ = 0;
  std::string currentFolder_;
};
