// CImageOperateTabvane: the picture editor's operations panel, a child window (id 1002) along
// the editor's bottom edge. It offers picture watermarks at nine places, a text watermark and
// frames, and tells its parent what the member chose:
//   1045  wParam place code 1-9, lParam the watermark picture's path
//   1046  lParam the frame picture's path
//   1047  wParam place code: move the shown watermark there
//   1050  wParam 1 remove the picture watermark, 0 remove the frame
//   1053  wParam tool code (1), lParam the 576-byte text watermark record (empty text: remove)
//   1054  wParam 1, lParam two int32 (x, y): move the watermark to that picture point
//   1076  drop the picture watermark's preview
//   1082  the panel is ready: enable the toolbar
//   1083  place the picture watermark again at its last place code
//   1079  from its strip: open or close the panel
// A 1054 the parent sends back is kept as the last point.
#pragma once

#include <windows.h>

#include "framework/gbk_string.h"

#if defined(MB_TABVANE_BUILDING)
#define MB_TABVANE_API __declspec(dllexport)
#else
#define MB_TABVANE_API __declspec(dllimport)
#endif

class OperatePanel;

class MB_TABVANE_API CImageOperateTabvane {
 public:
  CImageOperateTabvane();
  virtual ~CImageOperateTabvane();
  CImageOperateTabvane(const CImageOperateTabvane&) = delete;
  CImageOperateTabvane& operator=(const CImageOperateTabvane&) = delete;

  // The panel as a visible child of parent in rect, control id 1002.
  BOOL Create(HWND parent, const RECT& rect);
  // Back to its first state (nothing chosen); tells the parent it is ready.
  void Init();
  void SetImageFilePath(const fw::CString& path);

 private:
  OperatePanel* panel_;
};
