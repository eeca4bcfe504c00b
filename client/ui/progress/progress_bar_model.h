// What the skinned download progress bar shows for a position: its text, the filled width and
// the slices of its background and fill images.
#pragma once

#include <string>
#include <vector>

#include "client/ui/skin/skin_geometry.h"

namespace mb::progress {

// Position while nothing has been reported yet.
constexpr int kNoProgress = -1;

// Keeps a reported percentage within -1..100: a sender that counts past the file size must not
// paint the fill beyond the bar's right edge.
int ClampProgressPosition(int percent);

// "已完成 n%" for a position of 0 or more.
std::string ProgressText(int position);

// The bar writes its text itself in skin layout 1 and in the link dialog; on the pages of
// layouts 2 and 3 the page shows the percentage in its own place.
bool ProgressBarDrawsText(int skinLayout, bool dialogStyle);

// Filled width in pixels: client width x position / 100; 0 for no progress.
int ProgressFilledWidth(int clientWidth, int position);

// Background image across the whole client width, vertically centred.
std::vector<skin::ImageBlit> ProgressBackgroundBlits(skin::Size image, int clientWidth, int clientHeight);

// Fill image over the filled width, keeping the image's end pieces at both ends of the fill.
std::vector<skin::ImageBlit> ProgressFillBlits(skin::Size image, int filledWidth, int clientHeight);

}  // namespace mb::progress
