#include "uibase/win/html_gdi_surface.h"

#include <string>

#include "framework/module.h"

namespace zel {

using mb::html::FontSpec;
using mb::html::ImageKind;
using mb::html::ImageSize;
using mb::html::ImageSource;

GdiTextMeasure::~GdiTextMeasure() {
  for (auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT GdiTextMeasure::FontFor(const FontSpec& font) {
  for (auto& entry : fonts_) {
    if (entry.first == font) return entry.second;
  }
  LOGFONTA lf = {};
  lf.lfHeight = font.size;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeout;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, font.family.c_str(), LF_FACESIZE);
  HFONT made = CreateFontIndirectA(&lf);
  if (made) fonts_.emplace_back(font, made);
  return made;
}

mb::html::FontMetrics GdiTextMeasure::Metrics(const FontSpec& font) {
  HFONT f = FontFor(font);
  HGDIOBJ old = f ? SelectObject(dc_, f) : nullptr;
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc_, &tm);
  GLYPHMETRICS gm = {};
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  int xHeight = static_cast<int>(tm.tmHeight / 2);
  if (GetGlyphOutlineA(dc_, 'x', GGO_METRICS, &gm, 0, nullptr, &identity) != GDI_ERROR) xHeight = gm.gmBlackBoxY;
  if (old) SelectObject(dc_, old);
  return {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAscent), static_cast<int>(tm.tmDescent), xHeight};
}

int GdiTextMeasure::TextWidth(const FontSpec& font, std::string_view text) {
  HFONT f = FontFor(font);
  HGDIOBJ old = f ? SelectObject(dc_, f) : nullptr;
  SIZE size = {};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc_, old);
  return size.cx;
}

int GdiTextMeasure::DpiY() { return GetDeviceCaps(dc_, LOGPIXELSY); }

LoadedImage::~LoadedImage() {
  if (!owned_) return;
  if (bitmap_) DeleteObject(bitmap_);
  if (icon_) DestroyIcon(icon_);
}

LoadedImage::LoadedImage(LoadedImage&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), icon_(std::exchange(other.icon_, nullptr)), owned_(other.owned_) {}

LoadedImage& LoadedImage::operator=(LoadedImage&& other) noexcept {
  if (this != &other) {
    this->~LoadedImage();
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    icon_ = std::exchange(other.icon_, nullptr);
    owned_ = other.owned_;
  }
  return *this;
}

ImageSize LoadedImage::Size() const {
  if (bitmap_) {
    BITMAP bm = {};
    GetObjectA(bitmap_, sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
  }
  if (icon_) {
    ICONINFO info = {};
    if (!GetIconInfo(icon_, &info)) return {};
    BITMAP bm = {};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    const int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, height};
  }
  return {};
}

namespace {

// Loads from a module; the image is copied so that it outlives a module loaded for the call.
HANDLE LoadFromModule(HMODULE module, UINT id, UINT type, int cx, int cy) {
  HANDLE h = LoadImageA(module, MAKEINTRESOURCEA(id), type, cx, cy, type == IMAGE_BITMAP ? LR_CREATEDIBSECTION : 0);
  if (!h) return nullptr;
  HANDLE copy = CopyImage(h, type, 0, 0, type == IMAGE_BITMAP ? LR_CREATEDIBSECTION : 0);
  if (type == IMAGE_BITMAP) DeleteObject(h);
  else DestroyIcon(static_cast<HICON>(h));
  return copy;
}

// Reading a resource out of another module runs none of its code.
HMODULE LoadAsData(const std::string& path) {
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

}  // namespace

LoadedImage GdiResources::Load(ImageKind kind, const ImageSource& source) {
  const UINT type = kind == ImageKind::kIcon ? IMAGE_ICON : IMAGE_BITMAP;
  const int cx = type == IMAGE_ICON ? GetSystemMetrics(SM_CXICON) : 0;
  const int cy = type == IMAGE_ICON ? GetSystemMetrics(SM_CYICON) : 0;
  HANDLE h = nullptr;
  switch (source.kind) {
    case ImageSource::kResource: {  // the process's resource chain
      HINSTANCE module = fw::Module::FindResourceModule(MAKEINTRESOURCEA(source.number),
                                                        type == IMAGE_ICON ? RT_GROUP_ICON : RT_BITMAP);
      h = LoadFromModule(module ? module : fw::Module::ResourceInstance(), source.number, type, cx, cy);
      break;
    }
    case ImageSource::kFile:
      h = LoadImageA(nullptr, source.path.c_str(), type, cx, cy, LR_LOADFROMFILE | (type == IMAGE_BITMAP ? LR_CREATEDIBSECTION : 0));
      break;
    case ImageSource::kModuleResource: {
      if (source.path.empty()) {
        h = LoadFromModule(own_, source.number, type, cx, cy);
        break;
      }
      HMODULE module = LoadAsData(source.path);
      if (module) {
        h = LoadFromModule(module, source.number, type, cx, cy);
        FreeLibrary(module);
      }
      break;
    }
    case ImageSource::kHandle: {
      HANDLE given = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(source.number));
      if (type == IMAGE_ICON) {
        ICONINFO info = {};
        if (!GetIconInfo(static_cast<HICON>(given), &info)) return {};
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        return LoadedImage(nullptr, static_cast<HICON>(given), false);
      }
      if (GetObjectType(given) != OBJ_BITMAP) return {};
      return LoadedImage(static_cast<HBITMAP>(given), nullptr, false);
    }
    case ImageSource::kNone: break;
  }
  if (!h) return {};
  return type == IMAGE_ICON ? LoadedImage(nullptr, static_cast<HICON>(h), true)
                            : LoadedImage(static_cast<HBITMAP>(h), nullptr, true);
}

std::optional<ImageSize> GdiResources::ImageSizeOf(ImageKind kind, const ImageSource& source) {
  const LoadedImage image = Load(kind, source);
  if (image.Empty()) return std::nullopt;
  return image.Size();
}

std::optional<std::string> GdiResources::StringOf(const ImageSource& source) {
  HMODULE module = source.kind == ImageSource::kModuleResource ? LoadAsData(source.path) : nullptr;
  const bool loaded = module != nullptr;
  if (!module) {  // strings live in blocks of 16
    const UINT block = source.number / 16 + 1;
    module = fw::Module::FindResourceModule(MAKEINTRESOURCEA(block), RT_STRING);
    if (!module) module = fw::Module::ResourceInstance();
  }
  char buffer[1024];
  const int n = LoadStringA(module, source.number, buffer, sizeof buffer);
  if (loaded) FreeLibrary(module);
  if (n <= 0) return std::nullopt;
  return std::string(buffer, n);
}

ImageSize GdiResources::IconSize() { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

}  // namespace zel
