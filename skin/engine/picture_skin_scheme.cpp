#include "skin/engine/picture_skin_scheme.h"

#include <unknwn.h>

#include <vector>

#include "common/atomic_file.h"
#include "skin/format/keyed_region.h"

namespace mb::skinengine {
namespace {

RECT MakeRect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Inside(const RECT& part, const skinfile::ImageRect& image) {
  return part.left >= 0 && part.top >= 0 && part.right <= image.width && part.bottom <= image.height;
}

COLORREF ToColorRef(skinfile::Rgb c) { return RGB(c.r, c.g, c.b); }

}  // namespace

PictureSkinScheme* PictureSkinScheme::Load(const std::string& folder) {
  const std::optional<std::string> config = ReadWholeFile(folder + kSkinConfigFile);
  if (!config) return nullptr;
  std::unique_ptr<SkinPicture> picture = SkinPicture::Open(folder + kSkinPictureFile);
  if (!picture) return nullptr;
  skinfile::SkinCatalog catalog = skinfile::ParseSkinCatalog(*config).catalog;
  catalog.DropImagesOutside(picture->Width(), picture->Height());
  if (catalog.Images().empty()) return nullptr;
  return new PictureSkinScheme(std::move(catalog), std::move(picture));
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
  *object = this;  // the first three slots are IUnknown's
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE PictureSkinScheme::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG STDMETHODCALLTYPE PictureSkinScheme::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

const skinfile::SkinImage* PictureSkinScheme::Find(LPCSTR name) const {
  return name ? catalog_.Find(name) : nullptr;
}

HRESULT PictureSkinScheme::Copy(HDC dc, const skinfile::SkinImage& image, const RECT& dst, const RECT& part,
                                DWORD rop) const {
  if (IsEmpty(part) || !Inside(part, image.rect)) return E_INVALIDARG;
  if (IsEmpty(dst)) return S_FALSE;  // nothing to draw
  const RECT src = {image.rect.x + part.left, image.rect.y + part.top, image.rect.x + part.right,
                    image.rect.y + part.bottom};
  std::optional<COLORREF> key;
  if (image.keyed) key = ToColorRef(catalog_.Transparent());
  return picture_->Copy(dc, dst, src, rop, key) ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::DrawImageAt(HDC dc, LPCSTR name, int x, int y) {
  const skinfile::SkinImage* image = Find(name);
  if (!dc || !image) return E_INVALIDARG;
  const int w = image->rect.width;
  const int h = image->rect.height;
  return Copy(dc, *image, MakeRect(x, y, w, h), MakeRect(0, 0, w, h), SRCCOPY);
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::DrawImage(HDC dc, LPCSTR name, int x, int y, int width, int height,
                                                       DWORD rop) {
  const skinfile::SkinImage* image = Find(name);
  if (!dc || !image) return E_INVALIDARG;
  const int w = image->rect.width;
  const int h = image->rect.height;
  if (width == 0 && height == 0) {
    width = w;
    height = h;
  }
  return Copy(dc, *image, MakeRect(x, y, width, height), MakeRect(0, 0, w, h), rop);
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::DrawImagePart(HDC dc, LPCSTR name, int x, int y, int width, int height,
                                                           int srcX, int srcY, int srcWidth, int srcHeight) {
  const skinfile::SkinImage* image = Find(name);
  if (!dc || !image) return E_INVALIDARG;
  return Copy(dc, *image, MakeRect(x, y, width, height), MakeRect(srcX, srcY, srcWidth, srcHeight), SRCCOPY);
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::StretchImagePart(HDC dc, LPCSTR name, const RECT* dest, const RECT* src,
                                                              DWORD rop) {
  const skinfile::SkinImage* image = Find(name);
  if (!dc || !image || !dest || !src) return E_INVALIDARG;
  return Copy(dc, *image, *dest, *src, rop);
}

HRESULT STDMETHODCALLTYPE PictureSkinScheme::GetImageRect(RECT* rect, LPCSTR name) {
  if (!rect) return E_POINTER;
  *rect = RECT{};
  const skinfile::SkinImage* image = Find(name);
  if (!image) return E_INVALIDARG;
  *rect = MakeRect(0, 0, image->rect.width, image->rect.height);
  return S_OK;
}

HRGN STDMETHODCALLTYPE PictureSkinScheme::GetImageRegion(LPCSTR name) {
  const skinfile::SkinImage* image = Find(name);
  if (!image) return nullptr;
  if (!image->keyed) return CreateRectRgn(0, 0, image->rect.width, image->rect.height);

  // The image's rows alone, read once: a window's shape does not keep them in the bitmap.
  std::vector<std::uint8_t> buffer;
  const std::optional<skinfile::BgrPixels> rows =
      picture_->ReadRows(image->rect.y, image->rect.y + image->rect.height, buffer);
  if (!rows) return nullptr;
  skinfile::ImageRect area = image->rect;
  area.y = 0;
  const std::vector<skinfile::RegionRect> rects = skinfile::KeyedRegion(*rows, area, catalog_.Transparent());
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* region = reinterpret_cast<RGNDATA*>(data.data());
  region->rdh.dwSize = sizeof(RGNDATAHEADER);
  region->rdh.iType = RDH_RECTANGLES;
  region->rdh.nCount = static_cast<DWORD>(rects.size());
  region->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  region->rdh.rcBound = MakeRect(0, 0, image->rect.width, image->rect.height);
  auto* out = reinterpret_cast<RECT*>(region->Buffer);
  for (const skinfile::RegionRect& r : rects) *out++ = RECT{r.left, r.top, r.right, r.bottom};
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

}  // namespace mb::skinengine
