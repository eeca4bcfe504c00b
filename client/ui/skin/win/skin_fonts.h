// The fonts the skinned windows draw their texts with.
#pragma once

#include <windows.h>

#include "client/ui/skin/skin_canvas.h"

namespace mb::skin {

// A new font for dc (the caller deletes it); null when the system cannot make it.
HFONT CreateSkinFont(SkinFont font, HDC dc);

}  // namespace mb::skin
