// The editor's picture operations beyond the image layer's own: the rotate dialog's choices, the
// frame laid over a picture and the rotation of a picture file in place.
#pragma once

#include <cstdint>
#include <string>

#include "image/picture.h"

namespace mb::editor {

// The rotate dialog's choice codes.
enum RotateChoice : int {
  kChoiceTopToBottom = 0,   // "垂直翻转"
  kChoiceLeftToRight = 1,   // "水平翻转"
  kChoiceRotate90 = 2,
  kChoiceRotate180 = 3,
  kChoiceRotate270 = 4,
};

// Applies a choice to the picture; false for an unknown code or a failed rotation.
bool ApplyRotateChoice(Picture& picture, int choice);

// The frame stretched over the picture, every frame pixel that is not pure black copied onto it
// (black is the frame's transparent centre). False when either picture is empty.
bool ApplyFrame(Picture& picture, const Picture& frame);

// Loads the file (format from its bytes), turns it by degrees (+90 clockwise, -90 anticlockwise)
// and writes it back in the format it was read in, through a temporary file beside it. A file
// that cannot be read, an animated GIF (only its first frame would be written back) and a failed
// write leave the file's bytes as they were; error then says why.
bool RotatePictureFile(const std::string& path, double degrees, std::string& error);

// Gives a watermark its opacity before it is mixed in: a mark without an alpha plane gets one of
// that value everywhere; a mark with its own (a shaped PNG) has it scaled, so that what was
// transparent stays transparent.
void SetMarkOpacity(Picture& mark, std::uint8_t opacity);

// The picture shrunk to width x height for the screen, by the nearest pixel, reading only the
// pixels it keeps (a full copy and a smooth resample of a 12-megapixel photo cost more than its
// decode). Alpha and palette go with it. An empty picture for a size of 0 or less.
Picture ShrinkForScreen(const Picture& picture, int width, int height);

// What saving a picture in place must refuse: an animated GIF keeps only one frame.
bool WouldLoseFrames(const Picture& picture);

}  // namespace mb::editor
