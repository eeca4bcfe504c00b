// The canvas zoom of the picture editor: steps of a quarter between 0.1 and 8, and the fit that
// makes a picture smaller than the space it is shown in.
#pragma once

namespace mb::editor {

constexpr double kZoomMax = 8.0;
constexpr double kZoomMin = 0.1;
constexpr double kZoomStep = 0.25;
// The fit never goes below this, whatever the space (a zero or negative space has no fit).
constexpr double kFitZoomFloor = 0.05;

// Zooms are sums of quarters and twentieths: they are compared with this tolerance.
bool ZoomEquals(double a, double b);

double ZoomIn(double zoom);     // +0.25 while below 8
double ZoomOut(double zoom);    // -0.25 while above 0.1, never below 0.1
bool CanZoomIn(double zoom);
bool CanZoomOut(double zoom);
bool IsActualSize(double zoom);

// 1.0 for a picture that fits availableWidth x availableHeight; otherwise 1.0 lowered by 0.05
// until both drawn sides are below the space, stopping at 0.05. A space with a side of zero or
// less leaves 1.0 (nothing to fit into: a hidden or collapsed parent).
double FitZoom(int pictureWidth, int pictureHeight, int availableWidth, int availableHeight);

// The space the editor fits into: its parent's client size, less the panel (open) or the
// closed strip's share.
struct FitSpace {
  int width = 0;
  int height = 0;
};
FitSpace EditorFitSpace(int parentWidth, int parentHeight, bool panelOpen);

// The scroll size of one side at a zoom (negative taken as 0).
int ScaledSide(int side, double zoom);

}  // namespace mb::editor
