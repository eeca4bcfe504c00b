// The HTML drawer's view of a GDI device context: fonts made from the drawer's font
// descriptions (kept for the life of the surface), text metrics, and the images and strings
// that tags name, loaded from the process's modules, files or handles.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "uibase/html/html_types.h"

namespace zel {

class GdiTextMeasure : public mb::html::TextMeasure {
 public:
  explicit GdiTextMeasure(HDC dc) : dc_(dc) {}
  ~GdiTextMeasure() override;
  GdiTextMeasure(const GdiTextMeasure&) = delete;
  GdiTextMeasure& operator=(const GdiTextMeasure&) = delete;

  mb::html::FontMetrics Metrics(const mb::html::FontSpec& font) override;
  int TextWidth(const mb::html::FontSpec& font, std::string_view text) override;
  int DpiY() override;
  // The font for the description, made on first use; null when it cannot be made.
  HFONT FontFor(const mb::html::FontSpec& font);
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  std::vector<std::pair<mb::html::FontSpec, HFONT>> fonts_;
};

// A loaded image: a bitmap or an icon, deleted at the end unless it was a caller's handle.
class LoadedImage {
 public:
  LoadedImage() = default;
  LoadedImage(HBITMAP bitmap, HICON icon, bool owned) : bitmap_(bitmap), icon_(icon), owned_(owned) {}
  ~LoadedImage();
  LoadedImage(LoadedImage&& other) noexcept;
  LoadedImage& operator=(LoadedImage&& other) noexcept;
  LoadedImage(const LoadedImage&) = delete;
  LoadedImage& operator=(const LoadedImage&) = delete;

  HBITMAP Bitmap() const { return bitmap_; }
  HICON Icon() const { return icon_; }
  bool Empty() const { return !bitmap_ && !icon_; }
  mb::html::ImageSize Size() const;

 private:
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
  bool owned_ = true;
};

class GdiResources : public mb::html::ResourceSource {
 public:
  // own: the drawer's module, for "iddll" without "srcdll".
  explicit GdiResources(HMODULE own) : own_(own) {}

  std::optional<mb::html::ImageSize> ImageSizeOf(mb::html::ImageKind kind, const mb::html::ImageSource& source) override;
  std::optional<std::string> StringOf(const mb::html::ImageSource& source) override;
  mb::html::ImageSize IconSize() override;

  LoadedImage Load(mb::html::ImageKind kind, const mb::html::ImageSource& source);

 private:
  HMODULE own_;
};

}  // namespace zel
