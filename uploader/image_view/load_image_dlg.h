// CLoadImageDlg: the modal "正在载入图片..." dialog shown while a folder scan fills a list. Its bar
// runs from 0 to the number of files; Cancel stops the scan (WM_STOP_FOLDER_SCAN to the view)
// and closes it. The view closes it when the scan ends, and a scan that ended before the dialog
// came up closes it as soon as it stands, so it is never left open.
#pragma once

#include <functional>

#include "framework/dialog.h"

class CLoadImageDlg : public fw::Dialog {
 public:
  CLoadImageDlg();

  // Before it is shown: the number of files, the view that runs the scan, and how to tell
  // whether the scan is still running.
  void SetUp(int fileCount, HWND view, std::function<bool()> scanRunning);
  // Shown modal over owner until the scan ends or the member cancels.
  void Run(HWND owner);
  // One more file read; a no-op while the dialog is not shown.
  void Step();
  // Closes the dialog (the scan has ended).
  void Finish();

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  void OnCancel();

  int fileCount_ = 0;
  HWND view_ = nullptr;
  std::function<bool()> scanRunning_;
};
