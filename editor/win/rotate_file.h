// Turning a listed picture file in place, for the picture list's rotate commands.
#pragma once

#include <string>

namespace mb::editor {

// +90 degrees when clockwise, else -90; the file keeps its format. 1 when done; 0 after an error
// box (the file unreadable, an animated GIF or a failed write), the file then as it was.
int RotateFileOnDisk(const std::string& path, bool clockwise);

}  // namespace mb::editor
