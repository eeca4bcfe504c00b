// Colours of the three skin layouts. Layout 1 is blue with white page text, layout 2 light
// green with dark text, layout 3 amber with a cream page; each choice follows the text colours
// the windows use on them.
#pragma once

#include "skin/art/raster.h"

namespace mb::skinart {

struct SkinTheme {
  Rgb frameTop, frameBottom, frameEdge;  // window frames
  Rgb band;                              // brand and header bands (white text)
  Rgb page, pageEdge;                    // page area behind the pages
  Rgb strip;                             // status strip at the main window's foot
  Rgb light, lightEdge;                  // light panels (dark text)
  Rgb buttonTop, buttonBottom, buttonEdge;  // push buttons
  Rgb captionTop, captionBottom;            // caption and arrow buttons
  Rgb closeTop, closeBottom;                // the close button
  Rgb glyph;                                // glyphs on caption and arrow buttons
  Rgb tabTop, tabBottom, tabText;           // tabs not selected
  Rgb tabOnTop, tabOnBottom, tabOnText;     // the selected tab (current page)
  Rgb accent, accentDark;                   // fills, progress
  Rgb brandText;
};

const SkinTheme& ThemeFor(int layout);

// The transparent colour of every skin picture.
constexpr Rgb kKey{255, 0, 255};

}  // namespace mb::skinart
