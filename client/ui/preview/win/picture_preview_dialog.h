// PicturePreviewDialog: the modal "壁纸预览" dialog that shows pictures one at a time in a
// PictureView over its whole client area, stepping to the next every two seconds (round to the
// first after the last) when it has two or more.
#pragma once

#include <windows.h>

#include <string>

#include "client/ui/preview/slide_show.h"
#include "client/ui/preview/win/picture_view.h"
#include "framework/dialog.h"

namespace mb {

class PicturePreviewDialog : public fw::Dialog {
 public:
  static constexpr int kWidth = 370;
  static constexpr int kHeight = 280;
  static constexpr UINT_PTR kStepTimer = 1;
  static constexpr UINT kStepMs = 2000;
  static constexpr int kViewId = 100;

  PicturePreviewDialog();
  // Before the dialog runs.
  void AddPicture(const std::string& path) { slides_.AddPicture(path); }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);

  preview::SlideShow slides_;
  PictureView view_;
};

}  // namespace mb
