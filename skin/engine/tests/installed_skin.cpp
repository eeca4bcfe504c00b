#include "skin/engine/tests/installed_skin.h"

namespace mb::skintest {

std::string LayoutFile(const char* stem, int layout, const char* extension) {
  return std::string(stem) + (layout == 1 ? "" : std::to_string(layout)) + extension;
}

InstalledSkin::InstalledSkin(int layout) : folder_({"skin.dll"}) {
  if (layout >= 1) {
    folder_.Install(LayoutFile("default", layout, ".bmp"), "default.bmp");
    folder_.Install(LayoutFile("default", layout, ".config"), "default.config");
    if (auto config = winkit::ReadTextFile(folder_.Path("default.config")); !config.empty()) {
      catalog_ = skinfile::ParseSkinCatalog(config).catalog;
    }
    if (auto bitmap = skinfile::DecodeBmp24(winkit::ReadTextFile(folder_.Path("default.bmp")))) {
      picture_ = std::move(*bitmap);
    }
  }
  module_ = LoadLibraryA(folder_.Path("skin.dll").c_str());
}

InstalledSkin::~InstalledSkin() {
  if (module_) FreeLibrary(module_);
}

ISkinScheme* InstalledSkin::Scheme() const {
  using GetCurrentSchemeFn = HRESULT(WINAPI*)(ISkinScheme**);
  auto get = reinterpret_cast<GetCurrentSchemeFn>(reinterpret_cast<void*>(Export("GetCurrentScheme")));
  ISkinScheme* scheme = nullptr;
  if (!get || FAILED(get(&scheme))) return nullptr;
  return scheme;
}

std::optional<skinfile::Rgb> InstalledSkin::ImagePixel(const std::string& name, int x, int y) const {
  const skinfile::SkinImage* image = catalog_.Find(name);
  if (!image || x < 0 || y < 0 || x >= image->rect.width || y >= image->rect.height) return std::nullopt;
  const skinfile::Rgb pixel = picture_.At(image->rect.x + x, image->rect.y + y);
  if (image->keyed && pixel == catalog_.Transparent()) return std::nullopt;
  return pixel;
}

}  // namespace mb::skintest
