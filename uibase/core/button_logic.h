// The arithmetic of the owner-drawn buttons: the gradient button's face lines and hover colour,
// and the skinned button's kind and option rules.
#pragma once

#include <vector>

#include "uibase/core/colour.h"

namespace zel {

// The colours of a gradient face's lines, top to bottom, for an area of areaHeight lines whose
// gradient spans spanHeight: per channel step = (top - bottom) / spanHeight (truncating), line i
// top - (i + 1) x step, kept to its low 8 bits. A span or area of no height gives no lines.
std::vector<Colour> FaceLineColours(Colour top, Colour bottom, int spanHeight, int areaHeight);

// The upper colour of the hover face: the active colour's red, its green and blue each + 100,
// wrapping past 255.
Colour HoverTopColour(Colour active);

enum ButtonKind : int { kPushButton = 0, kCheckBox = 2, kRadioButton = 4 };
// From a button's style: a check box when (style & 3) == 3, a radio button when (style & 9) == 9.
ButtonKind ButtonKindFromStyle(unsigned long style);

enum SkinDrawMode : int { kDrawNormal = 0, kDrawStretch = 1, kDrawTile = 2 };
int NormalisedDrawMode(int drawMode);      // above 1: tile; below 0: normal
int NormalisedFocusMargin(int focusMargin);  // below 0: 0

}  // namespace zel
