// A frame for the picture pane's tests: a top-level window holding the view, the engine's message
// window (forwarding like the uploader's frame), registered with CViewMediator as its frame, and
// recording every text and progress value the mediator gives its status bar.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/window.h"
#include "uploader/view_mediator.h"

class CImageView;

class RecordingFrame : public fw::Window, public FrameLink {
 public:
  RecordingFrame();
  ~RecordingFrame() override;

  void Open(CImageView& view);
  std::vector<std::string> paneTexts[4];
  unsigned progressRange = 0;
  int progressPos = 0;

  HWND FrameHandle() const override { return Handle(); }
  void SetStatusText(const char* text) override;
  void SetPaneText(int pane, const char* text) override;
  void SetProgressRange(unsigned short n) override { progressRange = n; }
  void SetProgressPos(int pos) override { progressPos = pos; }
  int ProgressPos() const override { return progressPos; }
  void ShowProgress(bool) override {}
  void OnFolderOpened() override {}
  void ResetPanes() override {}

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnUploadStatus(const fw::Message& m);
  LRESULT OnConnectFailed(const fw::Message& m);
  LRESULT Forward(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);

  CImageView* view_ = nullptr;
};
