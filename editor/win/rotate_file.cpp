#include "editor/win/rotate_file.h"

#include <windows.h>

#include "editor/core/picture_operations.h"
#include "editor/win/member_prompt.h"

namespace mb::editor {

int RotateFileOnDisk(const std::string& path, bool clockwise) {
  std::string error;
  if (RotatePictureFile(path, clockwise ? 90.0 : -90.0, error)) return 1;
  AskMember(nullptr, error, MB_OK | MB_ICONERROR);
  return 0;
}

}  // namespace mb::editor
