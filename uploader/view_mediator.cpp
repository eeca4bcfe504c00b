#include "uploader/view_mediator.h"

#include <cstdio>

#include "conf/win/config.h"
#include "upload/core/batch_progress.h"

CViewMediator& CViewMediator::Get() {
  static CViewMediator mediator;
  return mediator;
}

HWND CViewMediator::FrameWindow() const { return frame_ ? frame_->FrameHandle() : nullptr; }

void CViewMediator::SetUploading(int flag) {
  uploading_ = flag;
  CConfig::GetConfig()->SetUploading(flag);
}

void CViewMediator::SetStatusText(const char* text) {
  if (frame_) frame_->SetStatusText(text);
}

void CViewMediator::SetPaneText(int pane, const char* text) {
  if (frame_) frame_->SetPaneText(pane, text);
}

void CViewMediator::ShowFolderCount(int rows, int ticked) {
  char text[128];
  std::snprintf(text, sizeof text, "当前文件夹共有 %d 张图片文件，其中 %d 张被选中", rows < 0 ? 0 : rows, ticked);
  SetStatusText(text);
}

void CViewMediator::ShowSelectionSize(int width, int height) {
  std::string text = currentFolder_;
  if (width || height) {
    char size[64];
    std::snprintf(size, sizeof size, "       选定大小：%d*%d", width, height);
    text += size;
  }
  SetPaneText(1, text.c_str());
}

void CViewMediator::ShowTransferState(unsigned speed, const char* elapsed) {
  if (!frame_) return;
  frame_->SetPaneText(2, elapsed ? elapsed : "");
  frame_->SetPaneText(3, mb::upload::BatchProgress::SpeedText(speed).c_str());
}

void CViewMediator::SetProgressRange(unsigned short n) {
  if (frame_) frame_->SetProgressRange(n);
}

void CViewMediator::SetProgressPos(int pos) {
  if (frame_) frame_->SetProgressPos(pos);
}

int CViewMediator::GetProgressPos() const { return frame_ ? frame_->ProgressPos() : 0; }

void CViewMediator::ShowProgress(bool show) {
  if (frame_) frame_->ShowProgress(show);
}

void CViewMediator::ResetUploadCounters() {
  if (imageView_) imageView_->ResetUploadCounters();
}

std::uint64_t CViewMediator::BlocksSent() const { return imageView_ ? imageView_->BlocksSent() : 0; }
std::uint64_t CViewMediator::BlocksTotal() const { return imageView_ ? imageView_->BlocksTotal() : 0; }

void CViewMediator::CompleteBatch() {
  if (imageView_) imageView_->CompleteBatch();
}

void CViewMediator::ResetPanes() {
  if (frame_) frame_->ResetPanes();
}

void CViewMediator::OpenFolder(const std::string& path) {
  currentFolder_ = path;
  if (imageView_) imageView_->StorePendingSettings();
  if (frame_) frame_->OnFolderOpened();
  if (imageView_) imageView_->OpenFolder(path);
}

int CViewMediator::RowCount() const { return imageView_ ? imageView_->RowCount() : 0; }
int CViewMediator::TickedCount() const { return imageView_ ? imageView_->TickedCount() : 0; }
int CViewMediator::HighlightedCount() const { return imageView_ ? imageView_->HighlightedCount() : 0; }
bool CViewMediator::IsEditWindowVisible() const { return imageView_ && imageView_->IsEditWindowVisible(); }
bool CViewMediator::IsEditCommandEnabled(UINT id) const {
  return imageView_ && imageView_->IsEditCommandEnabled(id);
}
int CViewMediator::CurrentListIndex() const { return imageView_ ? imageView_->CurrentListIndex() : 0; }
int CViewMediator::StoredListCount() const { return imageView_ ? imageView_->StoredListCount() : 0; }

void CViewMediator::RefreshColumns() {
  if (imageView_) imageView_->RefreshColumns();
}

void CViewMediator::AddPictureFile(const std::string& path) {
  if (imageView_) imageView_->AddPictureFile(path);
}
