// ProgressBarView: the skinned progress bar of the download and upload pages and the link
// download dialog. It draws the skin's bar and fill images and either writes "已完成 n%" on
// itself or, on the pages of skin layouts 2 and 3, hands the percentage to its page.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/window.h"

namespace mb {

// wParam = the percentage, lParam 0; sent to the notify window on every paint in layouts 2 and 3.
constexpr UINT WM_PROGRESS_PERCENT = 0x468;

class ProgressBarView : public fw::Window {
 public:
  explicit ProgressBarView(int skinLayout);

  // Stores a percentage (kept within 0..100; below 0 means no progress yet) and repaints when
  // it changed. Workers call it as well: it only stores and invalidates.
  void SetPos(int percent);
  int GetPos() const { return position_.load(); }
  void SetNotifyWindow(HWND window) { notify_ = window; }
  // 0 on the pages ("progress_bk", "progress_step"), 1 in the link dialog ("dlgprogress_...").
  void SetDialogStyle(bool dialogStyle) { dialogStyle_ = dialogStyle; }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  // The whole bar for the position, into a buffer the size of the client area.
  void PaintBar(HDC dc, int width, int height, int position) const;
  bool WritesText() const;

  const int layout_;
  std::atomic<int> position_;
  bool dialogStyle_ = false;
  HWND notify_ = nullptr;
};

}  // namespace mb
