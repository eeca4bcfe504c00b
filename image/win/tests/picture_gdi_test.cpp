#include <gtest/gtest.h>

#include "framework/gdi.h"
#include "image/win/picture_gdi.h"

namespace mb {
namespace {

TEST(PictureGdi, BitmapsDrawingAndTextReachThePixels) {
  // Picture -> bitmap -> picture keeps every colour (odd width: padded DIB rows).
  Picture source;
  ASSERT_TRUE(source.Create(7, 3, Rgba{10, 20, 30, 255}));
  source.SetPixelColor(6, 2, Rgba{200, 100, 50, 255});
  fw::Bitmap bitmap(CreatePictureBitmap(source));
  ASSERT_TRUE(bitmap);
  Picture back;
  ASSERT_TRUE(PictureFromBitmap(bitmap, back));
  EXPECT_EQ(back.GetPixelColor(6, 2), (Rgba{200, 100, 50, 255}));
  EXPECT_EQ(back.GetPixelColor(0, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_FALSE(CreatePictureBitmap(Picture()));

  // Drawn stretched onto a white canvas: opaque pictures cover it, half-transparent ones blend,
  // the transparent index leaves it.
  Picture canvas;
  ASSERT_TRUE(canvas.Create(40, 10, Rgba{255, 255, 255, 255}));
  fw::Bitmap target(CreatePictureBitmap(canvas));
  fw::MemoryDC dc(nullptr);
  fw::ScopedSelect select(dc, target);
  Picture red;
  ASSERT_TRUE(red.Create(2, 2, Rgba{255, 0, 0, 255}));
  EXPECT_TRUE(DrawPicture(dc, red, 0, 0, 10, 10));
  Picture veil;
  ASSERT_TRUE(veil.Create(1, 1, Rgba{0, 0, 0, 128}));
  EXPECT_TRUE(DrawPicture(dc, veil, 10, 0, 10, 10));
  PictureData keyed;
  keyed.width = 1;
  keyed.height = 1;
  keyed.bitsPerPixel = 8;
  keyed.pixels = {0};
  keyed.palette = {Rgba{0, 0, 255, 255}};
  keyed.transIndex = 0;
  Picture hole;
  hole.Adopt(keyed);
  EXPECT_TRUE(DrawPicture(dc, hole, 20, 0, 10, 10));
  keyed.transIndex = -1;  // the same indexed picture, opaque: its palette colours it
  Picture blue;
  blue.Adopt(keyed);
  EXPECT_TRUE(DrawPicture(dc, blue, 30, 0, 10, 10));
  EXPECT_FALSE(DrawPicture(dc, Picture(), 0, 0, 5, 5));
  GdiFlush();
  Picture drawn;
  ASSERT_TRUE(PictureFromBitmap(target, drawn));
  EXPECT_EQ(drawn.GetPixelColor(5, 5), (Rgba{255, 0, 0, 255}));
  EXPECT_NEAR(drawn.GetPixelColor(15, 5).r, 127, 2);
  EXPECT_EQ(drawn.GetPixelColor(25, 5), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(drawn.GetPixelColor(35, 5), (Rgba{0, 0, 255, 255}));

  // Text: ink of the style's colour lands inside the picture, opaque where it has alpha.
  Picture sheet;
  ASSERT_TRUE(sheet.Create(120, 40, Rgba{255, 255, 255, 0}));
  TextStyle style;
  style.height = 28;
  style.weight = FW_BOLD;
  style.colour = Rgba{0, 0, 255, 255};
  ASSERT_TRUE(DrawString(sheet, 4, 4, "水印 Mark", style));
  int inked = 0;
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x) {
      const Rgba c = sheet.GetPixelColor(x, y);
      if (c.a == 255 && c.b == 255 && c.r == 0) ++inked;
      EXPECT_EQ(c.g, c.r);  // only the ink's blue channel and the white ground are mixed
    }
  EXPECT_GT(inked, 40);
  EXPECT_EQ(sheet.GetPixelAlpha(0, 0), 0);
  EXPECT_TRUE(DrawString(sheet, 500, 500, "outside", style));  // nothing to draw, no error
  Picture empty;
  EXPECT_FALSE(DrawString(empty, 0, 0, "x", style));
}

}  // namespace
}  // namespace mb
