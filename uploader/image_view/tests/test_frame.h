// The uploader's main frame as the picture pane's tests need it until the real one is merged: a
// top-level window holding the view, the engine's message window (forwarding like the frame),
// and the status bar and progress bar that CViewMediator writes to, recorded.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/window.h"

class CImageView;

class CMainFrame : public fw::Window {
 public:
  CMainFrame();
  ~CMainFrame() override;

  void Open(CImageView& view);
  CImageView* View() const { return view_; }
  std::vector<std::string> paneTexts[4];
  unsigned progressRange = 0;
  int progressPos = 0;

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnUploadStatus(const fw::Message& m);
  LRESULT OnConnectFailed(const fw::Message& m);
  LRESULT Forward(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);

  CImageView* view_ = nullptr;
};
