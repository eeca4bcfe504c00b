// PaneSplitterWnd: the splitter of the uploader's main frame, in the uploader's colours. Its
// bars cannot be dragged while the picture editor is full screen, and when the member lets go of
// a column bar of the three-column splitter the folder and panel columns take their rule widths
// (the folder column snaps narrow, the picture column keeps its floor).
#pragma once

#include <windows.h>

#include "framework/splitter_window.h"

namespace mb::editor {

class PaneSplitterWnd : public fw::SplitterWindow {
 public:
  // The bar: its fill between a two-pixel border on each side (two nested rectangles around
  // each pane).
  static constexpr int kBarWidth = 8;
  static constexpr COLORREF kBarColour = 0x02A9FF;
  static constexpr COLORREF kCrossingColour = 0xBBF2FF;
  static constexpr COLORREF kOuterBorder = 0x68CEFF;
  static constexpr COLORREF kInnerBorder = 0x1F79E2;

  PaneSplitterWnd();

 protected:
  bool CanTrack() const override;
  void OnTrackReleased(int track, bool columnBar, int barEnd) override;

 private:
  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m) { return 1; }
};

}  // namespace mb::editor
