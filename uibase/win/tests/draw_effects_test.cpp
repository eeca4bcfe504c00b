#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "framework/gdi.h"
#include "uibase/core/effect_fill.h"
#include "uibase/win/draw_effects.h"
#include "uibase/win/mem_dc.h"
#include "uibase/win/tests/zelbase_test_ids.h"

namespace {

// A 32-bit surface to draw on and read back.
class Surface {
 public:
  Surface(int width, int height) : width_(width), dc_(nullptr) {
    BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    select_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() { SelectObject(dc_, select_); }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  fw::MemoryDC dc_;
  fw::Bitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ select_ = nullptr;
};

TEST(DrawEffects, FillsBordersImagesAndTheMemoryDcLandOnTheSurface) {
  Surface surface(120, 80);
  HDC dc = surface.Dc();
  CDrawEffects effects;

  effects.Fill(dc, zel::kFillSolid, RECT{0, 0, 10, 10}, RGB(10, 20, 30), 0, 0);
  EXPECT_EQ(surface.At(5, 5), RGB(10, 20, 30));
  effects.Fill(dc, 20, RECT{10, 0, 20, 10}, RGB(1, 2, 3), 0, 0);  // unknown codes fill solid
  EXPECT_EQ(surface.At(15, 5), RGB(1, 2, 3));
  effects.Fill(dc, zel::kFillTransparent, RECT{0, 0, 10, 10}, RGB(99, 99, 99), 0, 0);
  EXPECT_EQ(surface.At(5, 5), RGB(10, 20, 30));
  CDrawEffects::Gradient(dc, RECT{0, 10, 64, 20}, RGB(0, 0, 0), RGB(255, 255, 255), true);
  EXPECT_EQ(surface.At(0, 15), RGB(0, 0, 0));
  EXPECT_EQ(surface.At(63, 15), RGB(251, 251, 251));  // band 63 is (from + 63 x to) / 64
  // A texture with no noise comes out of its palette: noise is all middle colour.
  effects.Fill(dc, zel::kFillNoise, RECT{64, 0, 80, 10}, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), 0, 0);
  const COLORREF noisy = surface.At(70, 5);
  EXPECT_TRUE(noisy == RGB(0, 255, 0) || noisy == RGB(2, 253, 0)) << std::hex << noisy;

  // Border: light top-left, dark bottom-right; style 0 draws nothing.
  CDrawEffects::BorderRect(dc, RECT{0, 20, 20, 40}, RGB(250, 0, 0), RGB(0, 0, 250), 1, 1);
  EXPECT_EQ(surface.At(0, 30), RGB(250, 0, 0));
  EXPECT_EQ(surface.At(10, 20), RGB(250, 0, 0));
  EXPECT_EQ(surface.At(19, 30), RGB(0, 0, 250));
  EXPECT_EQ(surface.At(10, 39), RGB(0, 0, 250));
  CDrawEffects::BorderRect(dc, RECT{20, 20, 40, 40}, RGB(250, 0, 0), RGB(0, 0, 250), 0, 1);
  EXPECT_EQ(surface.At(20, 30), RGB(255, 255, 255));

  // A grey, masked bitmap: transparent corners keep the surface; the body turns grey.
  HBITMAP red = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TEST_NORMAL));
  HBITMAP mask = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TEST_MASK));
  CDrawEffects::ImageOptions grey;
  grey.styles = CDrawEffects::kStyleGrey;
  grey.masked = true;
  grey.maskColour = RGB(255, 255, 255);
  ASSERT_TRUE(effects.DrawBitmap(dc, 40, 20, 48, 24, mask, grey));  // the mask as picture: white is see-through
  EXPECT_EQ(surface.At(41, 21), RGB(255, 255, 255));
  EXPECT_EQ(surface.At(60, 30), RGB(0, 0, 0));
  ASSERT_TRUE(effects.DrawBitmap(dc, 40, 50, 48, 24, red, grey));
  const int g = static_cast<int>(200 * 0.299 + 30 * 0.587 + 30 * 0.114);
  EXPECT_EQ(surface.At(60, 60), RGB(g, g, g));
  // Shadow under an image at an offset; without the shadow style the image itself moves.
  CDrawEffects::ImageOptions shadowed;
  shadowed.shadow = true;
  shadowed.blurShadow = false;
  shadowed.shadowX = shadowed.shadowY = 4;
  ASSERT_TRUE(effects.DrawBitmap(dc, 90, 0, 20, 20, red, shadowed));
  EXPECT_EQ(surface.At(92, 2), RGB(200, 30, 30));
  EXPECT_EQ(surface.At(112, 22), RGB(128, 128, 128));  // white under a half-dark shadow
  EXPECT_FALSE(effects.DrawStripFrame(dc, 0, 0, red, 24, 24, 2, {}));  // a 48 x 24 strip has 2 frames
  ASSERT_TRUE(effects.DrawStripFrame(dc, 0, 40, red, 24, 24, 1, {}));
  EXPECT_EQ(surface.At(10, 50), RGB(200, 30, 30));
  CDrawEffects::Tile(dc, RECT{90, 40, 120, 80}, red);
  EXPECT_EQ(surface.At(119, 79), RGB(200, 30, 30));
  DeleteObject(red);
  DeleteObject(mask);

  // The memory DC paints off-screen at the same coordinates and copies back when it goes.
  {
    CMemDC buffered(dc, RECT{100, 60, 120, 80});
    ASSERT_TRUE(buffered.IsBuffered());
    RECT inside{105, 65, 110, 70};
    FillRect(buffered, &inside, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(surface.At(107, 67), RGB(200, 30, 30));  // not there yet
  }
  EXPECT_EQ(surface.At(107, 67), RGB(0, 0, 0));
  EXPECT_EQ(surface.At(101, 61), RGB(255, 255, 255));  // the rest took the DC's background colour
}

}  // namespace
