// WatermarkFloatWnd: a watermark shown over the editor's canvas before it is laid into the
// picture. The member drags it by any point; it never leaves the drawn picture (with the
// margins of canvas_geometry.h). Its place relative to the picture is what saving composes.
#pragma once

#include "editor/core/canvas_geometry.h"
#include "framework/window.h"
#include "image/picture.h"

class WatermarkFloatWnd : public fw::Window {
 public:
  static constexpr UINT kControlId = 26130;

  WatermarkFloatWnd();
  // Shows picture at canvas point (x, y) in width x height, inside the picture drawn from corner
  // (canvas coordinates) at drawnWidth x drawnHeight.
  bool Show(HWND canvas, const mb::Picture& picture, POINT at, SIZE size, POINT corner, SIZE drawn);
  void Hide();
  bool IsShown() const { return IsWindow() && IsWindowVisible(Handle()); }
  const mb::Picture& Picture() const { return picture_; }
  // The window's top-left corner relative to the drawn picture's corner (canvas pixels).
  mb::editor::Point PositionInPicture() const;
  // The drawn picture moved or changed size (zoom, scroll, layout): keep inside it.
  void SetBounds(POINT corner, SIZE drawn);

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnHitTest(const fw::Message&);
  LRESULT OnPaint(const fw::Message&);
  LRESULT OnPositionChanging(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message&) { return 1; }

  mb::Picture picture_;
  POINT corner_ = {0, 0};
  SIZE drawn_ = {0, 0};
};
