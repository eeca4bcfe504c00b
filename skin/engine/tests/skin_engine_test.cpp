// skin.dll as the client meets it: exports by plain name, the current scheme of each layout's
// skin files, pixel-exact drawing, window regions from the transparent colour, and no scheme
// (never a crash) when the files are missing or damaged.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <vector>

#include "framework/gdi.h"
#include "skin/engine/tests/installed_skin.h"
#include "tests/winkit/winkit.h"

namespace mb::skintest {
namespace {

using skinfile::Rgb;

constexpr COLORREF kMarker = RGB(1, 2, 3);
const Rgb kMarkerRgb{1, 2, 3};

// A 32-bit top-down surface filled with the marker colour, read back pixel by pixel.
class Surface {
 public:
  Surface(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    old_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, width, height};
    fw::Brush marker(CreateSolidBrush(kMarker));
    FillRect(dc_, &all, marker);
  }
  ~Surface() { SelectObject(dc_, old_); }
  HDC Dc() const { return dc_; }
  Rgb At(int x, int y) const {
    GdiFlush();
    const BYTE* p = static_cast<const BYTE*>(bits_) + (static_cast<std::size_t>(y) * width_ + x) * 4;
    return {p[2], p[1], p[0]};
  }

 private:
  int width_;
  int height_;
  fw::MemoryDC dc_;
  fw::Bitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Holds a scheme reference for the test's duration.
struct SchemeHold {
  explicit SchemeHold(ISkinScheme* s) : scheme(s) {}
  ~SchemeHold() {
    if (scheme) scheme->Release();
  }
  ISkinScheme* operator->() const { return scheme; }
  ISkinScheme* scheme;
};

using InitFn = BOOL(WINAPI*)(int, int);
using WindowFn = BOOL(WINAPI*)(HWND);
using CustomDrawFn = LRESULT(WINAPI*)(WPARAM, NMHDR*);

template <typename Fn>
Fn ExportOf(const InstalledSkin& skin, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(skin.Export(name)));
}

// The first transparent pixel of a keyed image, scanning rows from the top left.
bool FindTransparentPixel(const InstalledSkin& skin, const std::string& name, int* x, int* y) {
  const skinfile::SkinImage* image = skin.Catalog().Find(name);
  for (int row = 0; image && row < image->rect.height; ++row) {
    for (int col = 0; col < image->rect.width; ++col) {
      if (!skin.ImagePixel(name, col, row)) {
        *x = col;
        *y = row;
        return true;
      }
    }
  }
  return false;
}

TEST(SkinEngineExports, AreFoundByPlainNameAndAreSafeWithAnyArgument) {
  InstalledSkin skin(1);
  ASSERT_NE(skin.Module(), nullptr);
  for (const char* name :
       {"SkinInitControls", "GetCurrentScheme", "RemoveDialogSkin", "InstallScrollBar", "HandleScrollCustomDraw"}) {
    EXPECT_NE(skin.Export(name), nullptr) << name;
  }
  auto remove = ExportOf<WindowFn>(skin, "RemoveDialogSkin");
  auto install = ExportOf<WindowFn>(skin, "InstallScrollBar");
  auto customDraw = ExportOf<CustomDrawFn>(skin, "HandleScrollCustomDraw");
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(remove(window));
  EXPECT_TRUE(install(window));
  EXPECT_FALSE(remove(nullptr));
  EXPECT_FALSE(install(nullptr));
  DestroyWindow(window);
  EXPECT_FALSE(install(window));  // a window that is gone

  // The system keeps drawing the scroll bars.
  NMCUSTOMDRAW draw = {};
  draw.hdr.code = NM_CUSTOMDRAW;
  draw.dwDrawStage = CDDS_PREPAINT;
  EXPECT_EQ(customDraw(0, &draw.hdr), CDRF_DODEFAULT);
  EXPECT_EQ(customDraw(0, nullptr), CDRF_DODEFAULT);
}

TEST(SkinEngineScheme, MeasuresEveryImageOfEachLayout) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    InstalledSkin skin(layout);
    ASSERT_FALSE(skin.Catalog().Images().empty());
    EXPECT_TRUE(ExportOf<InitFn>(skin, "SkinInitControls")(-1, 1));
    SchemeHold scheme(skin.Scheme());
    ASSERT_NE(scheme.scheme, nullptr);
    for (const skinfile::SkinImage& image : skin.Catalog().Images()) {
      RECT r = {9, 9, 9, 9};
      ASSERT_EQ(scheme->GetImageRect(&r, image.name.c_str()), S_OK) << image.name;
      EXPECT_EQ(r.left, 0);
      EXPECT_EQ(r.top, 0);
      EXPECT_EQ(r.right, image.rect.width) << image.name;
      EXPECT_EQ(r.bottom, image.rect.height) << image.name;
    }
    // Names are matched without regard to case, as the windows spell them both ways.
    RECT r = {};
    EXPECT_EQ(scheme->GetImageRect(&r, "THUMBPREVIEW2_BK"), S_OK);
    EXPECT_GT(r.right, 0);

    RECT missing = {1, 2, 3, 4};
    EXPECT_TRUE(FAILED(scheme->GetImageRect(&missing, "no_such_image")));
    EXPECT_EQ(missing.right, 0);
    EXPECT_EQ(missing.bottom, 0);
    EXPECT_TRUE(FAILED(scheme->GetImageRect(&missing, nullptr)));
    EXPECT_EQ(scheme->GetImageRect(nullptr, "main_bk"), E_POINTER);
    RECT measured = {};
    EXPECT_EQ(scheme->MeasureImage(&measured, "button_normal"), S_OK) << "the elements' measure";
    RECT whole = {};
    EXPECT_EQ(scheme->GetImageRect(&whole, "button_normal"), S_OK);
    EXPECT_TRUE(EqualRect(&measured, &whole));
  }
}

TEST(SkinEngineScheme, IsOneSharedObjectCountedByReferences) {
  InstalledSkin skin(2);
  ISkinScheme* first = skin.Scheme();
  ISkinScheme* second = skin.Scheme();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  void* unknown = nullptr;
  EXPECT_EQ(first->QueryInterface(IID_IUnknown, &unknown), S_OK);
  EXPECT_EQ(unknown, first);
  first->Release();  // the QueryInterface reference
  IID other = IID_IUnknown;
  other.Data1 ^= 1;
  EXPECT_EQ(first->QueryInterface(other, &unknown), E_NOINTERFACE);
  EXPECT_EQ(unknown, nullptr);
  // The engine keeps its own reference: the caller's two go and the scheme still draws.
  first->Release();
  second->Release();
  SchemeHold again(skin.Scheme());
  ASSERT_NE(again.scheme, nullptr);
  RECT r = {};
  EXPECT_EQ(again->GetImageRect(&r, "main_bk"), S_OK);
}

TEST(SkinEngineScheme, DrawsImagesPixelForPixelWithTransparentPartsLeftOut) {
  InstalledSkin skin(1);
  SchemeHold scheme(skin.Scheme());
  ASSERT_NE(scheme.scheme, nullptr);
  // A skin switch overwrites the skin files for the next start before anything is drawn: what the
  // running scheme draws is still its own picture.
  ASSERT_TRUE(skin.Folder().Install(LayoutFile("default", 3, ".bmp"), "default.bmp"));
  const skinfile::SkinImage* image = skin.Catalog().Find("login_dlg");
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(image->keyed);
  const int w = image->rect.width;
  const int h = image->rect.height;

  // Natural size at a point, through slots 4 and 5.
  for (int slot : {4, 5}) {
    SCOPED_TRACE(slot);
    Surface surface(w + 20, h + 20);
    const HRESULT hr = slot == 4 ? scheme->DrawImageAt(surface.Dc(), "login_dlg", 5, 7)
                                 : scheme->DrawImage(surface.Dc(), "login_dlg", 5, 7, 0, 0, SRCCOPY);
    ASSERT_EQ(hr, S_OK);
    int transparent = 0;
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::optional<Rgb> expected = skin.ImagePixel("login_dlg", x, y);
        if (!expected) ++transparent;
        if (surface.At(x + 5, y + 7) != expected.value_or(kMarkerRgb)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(transparent, 0);  // its rounded corners show what lies below
    EXPECT_EQ(surface.At(4, 7), kMarkerRgb);
    EXPECT_EQ(surface.At(5 + w, 7 + h / 2), kMarkerRgb);
  }

  // A part, unscaled, at another point: the image's pixels of that part only.
  Surface part(60, 40);
  ASSERT_EQ(scheme->DrawImagePart(part.Dc(), "main_bk", 10, 10, 30, 20, 100, 200, 30, 20), S_OK);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      ASSERT_EQ(part.At(10 + x, 10 + y), skin.ImagePixel("main_bk", 100 + x, 200 + y).value_or(kMarkerRgb));
    }
  }
  EXPECT_EQ(part.At(40, 10), kMarkerRgb);

  // A one-pixel column stretched: every column repeats it.
  Surface stretched(50, 40);
  const RECT dest = {0, 0, 40, 20};
  const RECT src = {100, 200, 101, 220};
  ASSERT_EQ(scheme->StretchImagePart(stretched.Dc(), "main_bk", &dest, &src, SRCCOPY), S_OK);
  for (int x : {0, 17, 39}) {
    for (int y : {0, 9, 19}) {
      EXPECT_EQ(stretched.At(x, y), skin.ImagePixel("main_bk", 100, 200 + y).value_or(kMarkerRgb));
    }
  }
  EXPECT_EQ(stretched.At(40, 5), kMarkerRgb);
}

TEST(SkinEngineScheme, RefusesPartsOutsideTheImageAndDrawsNothingForThem) {
  InstalledSkin skin(3);
  SchemeHold scheme(skin.Scheme());
  ASSERT_NE(scheme.scheme, nullptr);
  RECT size = {};
  ASSERT_EQ(scheme->GetImageRect(&size, "button_normal"), S_OK);
  Surface surface(100, 60);
  // The neighbouring images in the picture are never reached through an image's part.
  EXPECT_EQ(scheme->DrawImagePart(surface.Dc(), "button_normal", 0, 0, 20, 10, size.right - 5, 0, 20, 10),
            E_INVALIDARG);
  EXPECT_EQ(scheme->DrawImagePart(surface.Dc(), "button_normal", 0, 0, 20, 10, -1, 0, 20, 10), E_INVALIDARG);
  const RECT dest = {0, 0, 50, 20};
  const RECT beyond = {0, 0, size.right, size.bottom + 1};
  EXPECT_EQ(scheme->StretchImagePart(surface.Dc(), "button_normal", &dest, &beyond, SRCCOPY), E_INVALIDARG);
  EXPECT_EQ(scheme->StretchImagePart(surface.Dc(), "button_normal", nullptr, &beyond, SRCCOPY), E_INVALIDARG);
  EXPECT_EQ(scheme->DrawImageAt(surface.Dc(), "no_such_image", 0, 0), E_INVALIDARG);
  EXPECT_EQ(scheme->DrawImageAt(nullptr, "button_normal", 0, 0), E_INVALIDARG);
  EXPECT_EQ(scheme->DrawImageAt(surface.Dc(), nullptr, 0, 0), E_INVALIDARG);
  for (int y = 0; y < 60; y += 7) {
    for (int x = 0; x < 100; x += 7) ASSERT_EQ(surface.At(x, y), kMarkerRgb);
  }
}

TEST(SkinEngineScheme, GivesWindowRegionsWithoutTheTransparentPixels) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    InstalledSkin skin(layout);
    SchemeHold scheme(skin.Scheme());
    ASSERT_NE(scheme.scheme, nullptr);
    for (const char* name : {"main_bk", "login_dlg", "tray_menu", "popup_bk", "float_bk"}) {
      SCOPED_TRACE(name);
      const skinfile::SkinImage* image = skin.Catalog().Find(name);
      ASSERT_NE(image, nullptr);
      fw::Region region(scheme->GetImageRegion(name));
      ASSERT_TRUE(region);
      // Once the image has been drawn its rows are read from the bitmap, not the file: the same shape.
      Surface surface(image->rect.width, image->rect.height);
      ASSERT_EQ(scheme->DrawImageAt(surface.Dc(), name, 0, 0), S_OK);
      fw::Region again(scheme->GetImageRegion(name));
      EXPECT_TRUE(again && EqualRgn(region, again));
      RECT box = {};
      GetRgnBox(region, &box);
      EXPECT_LE(box.right, image->rect.width);
      EXPECT_LE(box.bottom, image->rect.height);
      EXPECT_TRUE(PtInRegion(region, image->rect.width / 2, image->rect.height / 2));
      int x = 0;
      int y = 0;
      if (image->keyed && FindTransparentPixel(skin, name, &x, &y)) {
        EXPECT_FALSE(PtInRegion(region, x, y)) << x << "," << y;
      }
    }
    // An image without transparent pixels gives its whole rectangle.
    const skinfile::SkinImage* plain = skin.Catalog().Find("button_normal");
    ASSERT_NE(plain, nullptr);
    ASSERT_FALSE(plain->keyed);
    fw::Region whole(scheme->GetImageRegion("button_normal"));
    fw::Region expected(CreateRectRgn(0, 0, plain->rect.width, plain->rect.height));
    EXPECT_TRUE(EqualRgn(whole, expected));
    EXPECT_EQ(scheme->GetImageRegion("no_such_image"), nullptr);
    EXPECT_EQ(scheme->GetImageRegion(nullptr), nullptr);
  }
}

TEST(SkinEngineWithoutSkin, OffersNoSchemeWhenTheFilesAreMissingOrDamaged) {
  using GetCurrentSchemeFn = HRESULT(WINAPI*)(ISkinScheme**);
  {
    InstalledSkin skin(0);
    ASSERT_NE(skin.Module(), nullptr);
    EXPECT_FALSE(ExportOf<InitFn>(skin, "SkinInitControls")(-1, 1));
    ISkinScheme* scheme = reinterpret_cast<ISkinScheme*>(1);
    EXPECT_EQ(ExportOf<GetCurrentSchemeFn>(skin, "GetCurrentScheme")(&scheme), E_FAIL);
    EXPECT_EQ(scheme, nullptr);
    EXPECT_EQ(ExportOf<GetCurrentSchemeFn>(skin, "GetCurrentScheme")(nullptr), E_POINTER);
  }
  {
    // A picture that is not a bitmap, beside a good configuration.
    InstalledSkin skin(0);
    ASSERT_TRUE(skin.Folder().Install("default.config", "default.config"));
    ASSERT_TRUE(winkit::WriteTextFile(skin.Folder().Path("default.bmp"), "BM not really"));
    EXPECT_EQ(skin.Scheme(), nullptr);
  }
  {
    // A configuration whose images all lie outside the picture.
    InstalledSkin skin(0);
    ASSERT_TRUE(skin.Folder().Install("default.bmp", "default.bmp"));
    ASSERT_TRUE(winkit::WriteTextFile(skin.Folder().Path("default.config"),
                                      "[images]\nmain_bk=30000,30000,10,10\n"));
    EXPECT_EQ(skin.Scheme(), nullptr);
  }
}

TEST(SkinFiles, OfEveryLayoutLieBesideThePrograms) {
  const std::string bin = winkit::BinFolder();
  EXPECT_TRUE(winkit::FileExists(bin + "skin.dll"));
  for (int layout = 1; layout <= 3; ++layout) {
    for (const std::string& name : {LayoutFile("default", layout, ".bmp"), LayoutFile("default", layout, ".config"),
                                    LayoutFile("waitting", layout, ".gif")}) {
      EXPECT_TRUE(winkit::FileExists(bin + name)) << name;
    }
  }
}

}  // namespace
}  // namespace mb::skintest
