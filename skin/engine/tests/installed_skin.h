// A copy of skin.dll in a private folder with one layout's skin files as its active skin, loaded
// from there. A later LoadLibrary("skin.dll") by plain name (the client's) finds this copy.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "client/core/win/skin_scheme.h"
#include "skin/format/bmp24.h"
#include "skin/format/skin_catalog.h"
#include "tests/winkit/winkit.h"

namespace mb::skintest {

// Build output names of a layout's files: default.bmp, default2.bmp, ...
std::string LayoutFile(const char* stem, int layout, const char* extension);

class InstalledSkin {
 public:
  // layout 1 to 3; 0 installs skin.dll without skin files.
  explicit InstalledSkin(int layout);
  ~InstalledSkin();
  InstalledSkin(const InstalledSkin&) = delete;
  InstalledSkin& operator=(const InstalledSkin&) = delete;

  HMODULE Module() const { return module_; }
  const winkit::InstallFolder& Folder() const { return folder_; }
  FARPROC Export(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }
  // The engine's current scheme (one reference for the caller), or null.
  ISkinScheme* Scheme() const;

  // What the engine should show, read from the same files.
  const skinfile::SkinCatalog& Catalog() const { return catalog_; }
  const skinfile::Bitmap24& Picture() const { return picture_; }
  // Pixel (x, y) of a named image, or nothing where the image is transparent.
  std::optional<skinfile::Rgb> ImagePixel(const std::string& name, int x, int y) const;

 private:
  winkit::InstallFolder folder_;
  HMODULE module_ = nullptr;
  skinfile::SkinCatalog catalog_;
  skinfile::Bitmap24 picture_;
};

}  // namespace mb::skintest
