// The scheme object of our skin engine: the named images of one skin picture, drawn, measured
// and turned into window regions through the slots the client calls.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client/core/win/skin_scheme.h"
#include "skin/engine/skin_picture.h"
#include "skin/format/skin_catalog.h"

namespace mb::skinengine {

// File names of the active skin in the program folder.
constexpr char kSkinConfigFile[] = "default.config";
constexpr char kSkinPictureFile[] = "default.bmp";

class PictureSkinScheme final : public ISkinScheme {
 public:
  // Reads default.config and default.bmp from folder (ending in a backslash). Null when either
  // is missing or unreadable or no image lies inside the picture. The new object holds one
  // reference.
  static PictureSkinScheme* Load(const std::string& folder);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DrawImageAt(HDC dc, LPCSTR name, int x, int y) override;
  HRESULT STDMETHODCALLTYPE DrawImage(HDC dc, LPCSTR name, int x, int y, int width, int height, DWORD rop) override;
  HRESULT STDMETHODCALLTYPE DrawImagePart(HDC dc, LPCSTR name, int x, int y, int width, int height, int srcX,
                                          int srcY, int srcWidth, int srcHeight) override;
  HRESULT STDMETHODCALLTYPE StretchImagePart(HDC dc, LPCSTR name, const RECT* dest, const RECT* src,
                                             DWORD rop) override;
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetImageRect(RECT* rect, LPCSTR name) override;
  HRESULT STDMETHODCALLTYPE MeasureImage(RECT* rect, LPCSTR name) override { return GetImageRect(rect, name); }
  HRGN STDMETHODCALLTYPE GetImageRegion(LPCSTR name) override;

 private:
  PictureSkinScheme(skinfile::SkinCatalog catalog, std::unique_ptr<SkinPicture> picture)
      : catalog_(std::move(catalog)), picture_(std::move(picture)) {}
  ~PictureSkinScheme() = default;

  const skinfile::SkinImage* Find(LPCSTR name) const;
  // Copies part (image pixels, which must lie inside the image) into dst.
  HRESULT Copy(HDC dc, const skinfile::SkinImage& image, const RECT& dst, const RECT& part, DWORD rop) const;

  LONG refs_ = 1;
  const skinfile::SkinCatalog catalog_;
  const std::unique_ptr<SkinPicture> picture_;
};

}  // namespace mb::skinengine
