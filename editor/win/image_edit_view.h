// CImageEditView: the picture editor's canvas. It shows the working picture at the editor's
// zoom, centred on a grey ground, with the previews that saving will lay in: a frame, a picture
// watermark and a text watermark, the two watermarks in floating windows the member drags. In
// the selection tool a rubber band marks the part of the picture to crop to.
#pragma once

#include <string>

#include "editor/core/canvas_geometry.h"
#include "editor/core/zoom.h"
#include "editor/win/watermark_float_wnd.h"
#include "framework/rect_tracker.h"
#include "framework/scroll_view.h"
#include "image/picture.h"

// What the canvas asks of the editor around it.
class CanvasHost {
 public:
  virtual double Zoom() const = 0;
  virtual bool SelectionToolActive() const = 0;
  virtual void ShowPixelText(const std::string& text) = 0;
  // The member drew, moved or dropped the selection.
  virtual void SelectionChanged() = 0;

 protected:
  ~CanvasHost() = default;
};

class CImageEditView : public fw::ScrollView {
 public:
  static constexpr COLORREF kGround = 0x00C0C0C0;
  static constexpr UINT kPlaceMarkMessage = 1047;  // wParam place code
  // To the parent on a right click: lParam the cursor's screen point (MAKELPARAM); the parent
  // shows the canvas menu there.
  static constexpr UINT kCanvasMenuMessage = 1062;

  explicit CImageEditView(CanvasHost& host);
  HWND Create(HWND parent, const RECT& rect, UINT id);

  // A new working picture: shown as it is, every preview and the selection dropped. The view
  // draws it where it is (no copy): it must stay alive until the next SetPicture or ClearPicture.
  void SetPicture(const mb::Picture& working);
  void ClearPicture();
  // The working picture, with the frame laid over it when there is one.
  const mb::Picture& Displayed() const { return hasFrame_ ? framed_ : *working_; }

  // The zoom or the client size changed: scroll sizes, floating windows' bounds, repaint.
  void ZoomChanged();

  // Frame: laid over the displayed picture, black left out.
  bool SetFrame(const mb::Picture& frame);
  void DropFrame();
  bool HasFrame() const { return hasFrame_; }

  // Picture watermark at place code 1-9 (or at a picture point), shown in its window.
  bool ShowPictureMark(const mb::Picture& mark, int code);
  void PlacePictureMark(int code);
  void MovePictureMarkTo(mb::editor::Point picturePoint);
  void DropPictureMark();
  bool HasPictureMark() const { return markWnd_.IsShown(); }
  int LastPlaceCode() const { return lastCode_; }

  // Text watermark: the rendered text picture in its own window, at a picture point.
  bool ShowTextMark(const mb::Picture& text, mb::editor::Point picturePoint);
  void DropTextMark();
  bool HasTextMark() const { return textWnd_.IsShown(); }

  void DropPreviews();

  // Where saving lays the previews into a picture of the displayed picture's size.
  mb::editor::Point PictureMarkComposePoint() const;
  mb::editor::Point TextMarkPoint() const;
  const mb::Picture& PictureMark() const { return markWnd_.Picture(); }

  // The selection in picture pixels (empty when none).
  mb::PixelRect Selection() const;
  void ClearSelection();
  // Fit mode (a double click turns it on or off): the picture stretched over the whole canvas.
  bool FitMode() const { return fitMode_; }
  void SetFitMode(bool fit);

  // The drawn picture's corner (canvas coordinates, scrolling applied) and drawn size.
  POINT Corner() const;
  SIZE Drawn() const;

 protected:
  fw::WindowClassSpec ClassSpec() const override;
  void OnViewSized(int width, int height) override;

 private:
  LRESULT OnPaint(const fw::Message&);
  LRESULT OnPrintClient(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message&) { return 1; }
  LRESULT OnMouseMove(const fw::Message& m);
  LRESULT OnLButtonDown(const fw::Message& m);
  LRESULT OnLButtonUp(const fw::Message& m);
  LRESULT OnCaptureChanged(const fw::Message&);
  LRESULT OnLButtonDoubleClick(const fw::Message& m);
  LRESULT OnRButtonDown(const fw::Message& m);
  LRESULT OnKeyDown(const fw::Message& m);
  LRESULT OnGetDialogCode(const fw::Message&) { return DLGC_WANTARROWS; }
  LRESULT OnSetCursor(const fw::Message& m);
  LRESULT OnPlaceMark(const fw::Message& m);
  void Paint(HDC dc) const;
  mb::editor::CanvasView View() const;
  POINT CanvasPointOf(mb::editor::Point picturePoint) const;

  CanvasHost& host_;
  static const mb::Picture kNoPicture;
  const mb::Picture* working_ = &kNoPicture;  // the editor's working picture, never owned
  mb::Picture framed_;  // the working picture with the frame laid over it, only while one is shown
  bool hasFrame_ = false;
  mutable mb::Picture screenCopy_;  // Displayed() shrunk to its drawn size, made at a paint
  WatermarkFloatWnd markWnd_;
  WatermarkFloatWnd textWnd_;
  fw::RectTracker tracker_;
  bool fitMode_ = false;
  int lastCode_ = 0;
  // The move tool: where the drag started and the scroll position then (while the mouse is held).
  POINT pressPoint_ = {0, 0};
  POINT pressScroll_ = {0, 0};
  bool moving_ = false;
};
