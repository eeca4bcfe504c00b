// CImageSizeDlg: the editor's "修改图像大小" dialog. Two edits for the new width and height that
// keep the picture's proportions while "约束比例" is checked; OK takes a size only when both
// sides are whole numbers the image layer can hold.
#pragma once

#include <string>

#include "uibase/win/xp_button.h"
#include "uibase/win/zel_dialog.h"

class CImageSizeDlg : public CZELDialog {
 public:
  CImageSizeDlg();
  // The picture's present size; both edits show it when the dialog opens.
  void SetStartSize(int width, int height);
  int NewWidth() const { return newWidth_; }
  int NewHeight() const { return newHeight_; }

 private:
  LRESULT OnInitDialog(const fw::Message&);
  LRESULT OnGroupColour(const fw::Message& message);
  void OnWidthChanged();
  void OnHeightChanged();
  void OnOK();
  // Writes an edit without answering its change notice.
  void WriteQuietly(int id, const std::string& text);
  std::string EditText(int id) const;
  void FollowOtherSide(int typedId, int otherId, int start, int startOther);

  CXPButton ok_, cancel_;
  int startWidth_ = 0, startHeight_ = 0;
  int newWidth_ = 0, newHeight_ = 0;
  bool writing_ = false;
};
