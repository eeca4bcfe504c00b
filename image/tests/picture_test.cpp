#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/atomic_file.h"
#include "image/picture.h"

namespace mb {
namespace {

// A true-colour picture whose every pixel differs from its neighbours: red follows x, green
// follows y, blue both.
Picture Gradient(int width, int height) {
  Picture p;
  EXPECT_TRUE(p.Create(width, height, Rgba{}));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixelColor(x, y, Rgba{static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(y * 255 / height),
                                 static_cast<std::uint8_t>((x + y) * 4), 255});
  return p;
}

// An 8-bit picture with a four-colour palette, index (x + y) % 4, index 3 transparent.
Picture Indexed(int width, int height) {
  PictureData d;
  d.width = width;
  d.height = height;
  d.bitsPerPixel = 8;
  d.palette = {Rgba{255, 0, 0, 255}, Rgba{0, 255, 0, 255}, Rgba{0, 0, 255, 255}, Rgba{9, 9, 9, 255}};
  d.transIndex = 3;
  d.frameCount = 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) d.pixels.push_back(static_cast<std::uint8_t>((x + y) % 4));
  Picture p;
  p.Adopt(d);
  return p;
}

// Largest difference of any channel (alpha included) between two pictures of the same size.
int MaxDifference(const Picture& a, const Picture& b) {
  EXPECT_EQ(a.Width(), b.Width());
  EXPECT_EQ(a.Height(), b.Height());
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Rgba p = a.GetPixelColor(x, y), q = b.GetPixelColor(x, y);
      worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b), std::abs(p.a - q.a)});
    }
  return worst;
}

Picture RoundTrip(Picture& source, PictureFormat format) {
  std::string bytes;
  EXPECT_TRUE(source.Encode(format, bytes)) << source.LastError();
  EXPECT_EQ(DetectPictureFormat(bytes.data(), bytes.size()), format);
  Picture back;
  EXPECT_TRUE(back.Decode(bytes.data(), bytes.size())) << back.LastError();
  EXPECT_EQ(back.Format(), format);
  EXPECT_EQ(back.FrameCount(), 1);
  return back;
}

TEST(PictureCodecs, RoundTripsKeepPixelsPaletteAndAlpha) {
  Picture colour = Gradient(37, 23);  // odd sizes: row padding in BMP
  EXPECT_EQ(MaxDifference(colour, RoundTrip(colour, PictureFormat::kBmp)), 0);
  EXPECT_EQ(MaxDifference(colour, RoundTrip(colour, PictureFormat::kPng)), 0);
  Picture jpeg = RoundTrip(colour, PictureFormat::kJpeg);
  EXPECT_EQ(jpeg.BitsPerPixel(), 24);
  EXPECT_LT(MaxDifference(colour, jpeg), 40);
  Picture gif = RoundTrip(colour, PictureFormat::kGif);  // reduced to 256 colours
  EXPECT_EQ(gif.BitsPerPixel(), 8);
  EXPECT_LT(MaxDifference(colour, gif), 48);

  // Indexed pictures keep their indices, palette and transparent index where the format can.
  Picture indexed = Indexed(11, 7);
  for (PictureFormat format : {PictureFormat::kPng, PictureFormat::kGif}) {
    Picture back = RoundTrip(indexed, format);
    EXPECT_EQ(back.BitsPerPixel(), 8);
    EXPECT_EQ(back.TransIndex(), 3);
    EXPECT_EQ(back.GetPixelIndex(4, 2), 2);
    EXPECT_EQ(back.PaletteColor(1), (Rgba{0, 255, 0, 255}));
  }
  Picture bmp = RoundTrip(indexed, PictureFormat::kBmp);
  EXPECT_EQ(bmp.BitsPerPixel(), 8);
  EXPECT_EQ(bmp.GetPixelIndex(4, 2), 2);

  // An alpha plane survives BMP (32-bit) and PNG; JPEG drops it.
  Picture translucent = Gradient(9, 5);
  translucent.AlphaFill(200);
  translucent.SetPixelColor(2, 3, Rgba{1, 2, 3, 7}, true);
  for (PictureFormat format : {PictureFormat::kBmp, PictureFormat::kPng}) {
    Picture back = RoundTrip(translucent, format);
    ASSERT_TRUE(back.HasAlpha());
    EXPECT_EQ(MaxDifference(translucent, back), 0);
  }
  EXPECT_FALSE(RoundTrip(translucent, PictureFormat::kJpeg).HasAlpha());
}

TEST(PictureCodecs, SaveAndLoadFindTheFormatFromTheBytes) {
  const std::string path = ::testing::TempDir() + "picture_test_named.bmp";
  Picture source = Gradient(20, 10);
  ASSERT_TRUE(source.Save(path, PictureFormat::kPng));  // a PNG whatever the name says
  Picture loaded;
  ASSERT_TRUE(loaded.Load(path)) << loaded.LastError();
  EXPECT_EQ(loaded.Format(), PictureFormat::kPng);
  EXPECT_EQ(MaxDifference(source, loaded), 0);
  std::remove(path.c_str());
  EXPECT_FALSE(loaded.Load(path));
  EXPECT_FALSE(loaded.IsValid());
  EXPECT_NE(loaded.LastError().find("cannot read"), std::string::npos);
  EXPECT_FALSE(loaded.Decode("hello", 5));
  EXPECT_NE(loaded.LastError().find("known format"), std::string::npos);
  EXPECT_FALSE(loaded.Save(path, PictureFormat::kBmp));  // nothing to save
}

TEST(PictureCodecs, CapsAndCutFilesGiveClearErrors) {
  Picture wide = Gradient(300, 20);
  DecodeLimits tight;
  tight.maxWidth = 256;
  tight.maxHeight = 256;
  tight.maxPixels = 5000;
  for (PictureFormat format : {PictureFormat::kBmp, PictureFormat::kJpeg, PictureFormat::kPng, PictureFormat::kGif}) {
    std::string bytes;
    ASSERT_TRUE(wide.Encode(format, bytes));
    Picture p;
    p.SetDecodeLimits(tight);
    EXPECT_FALSE(p.Decode(bytes.data(), bytes.size())) << static_cast<int>(format);
    EXPECT_NE(p.LastError().find("too large: 300 x 20"), std::string::npos) << p.LastError();
    EXPECT_FALSE(p.IsValid());
    Picture tall = Gradient(100, 60);  // passes the sides, not the pixel count
    ASSERT_TRUE(tall.Encode(format, bytes));
    EXPECT_FALSE(p.Decode(bytes.data(), bytes.size()));
    EXPECT_NE(p.LastError().find("too large"), std::string::npos) << p.LastError();

    // Cut in the middle of the pixels: refused, never half a picture.
    ASSERT_TRUE(Gradient(64, 64).Encode(format, bytes));
    Picture cut;
    EXPECT_FALSE(cut.Decode(bytes.data(), bytes.size() / 2)) << static_cast<int>(format);
    EXPECT_FALSE(cut.LastError().empty());
    EXPECT_FALSE(cut.IsValid());
  }
  // A 40-byte file that declares 60000 x 60000 is refused by its declaration.
  std::string bomb = "BM";
  bomb.resize(54, '\0');
  const unsigned char header[] = {40, 0, 0, 0, 0x60, 0xEA, 0, 0, 0x60, 0xEA, 0, 0, 1, 0, 24, 0};
  bomb.replace(14, sizeof header, reinterpret_cast<const char*>(header), sizeof header);
  Picture p;
  EXPECT_FALSE(p.Decode(bomb.data(), bomb.size()));
  EXPECT_NE(p.LastError().find("too large: 60000 x 60000"), std::string::npos) << p.LastError();
}

TEST(PictureTransforms, RotateFlipMirrorCropKeepEveryPixelAndItsAlpha) {
  Picture p = Gradient(4, 3);
  p.AlphaCreate();
  p.SetPixelColor(0, 0, Rgba{1, 2, 3, 50}, true);  // top-left marker
  const Rgba topRight = p.GetPixelColor(3, 0);
  Picture r = p;
  ASSERT_TRUE(r.Rotate(90));  // clockwise: top-left goes to top-right
  EXPECT_EQ(r.Width(), 3);
  EXPECT_EQ(r.Height(), 4);
  EXPECT_EQ(r.GetPixelColor(2, 0), (Rgba{1, 2, 3, 50}));
  EXPECT_EQ(r.GetPixelColor(2, 3), topRight);
  ASSERT_TRUE(r.Rotate(-90));
  EXPECT_EQ(MaxDifference(p, r), 0);
  ASSERT_TRUE(r.Rotate(270));  // the same as -90: top-left goes to bottom-left
  EXPECT_EQ(r.GetPixelColor(0, 3), (Rgba{1, 2, 3, 50}));
  r = p;
  ASSERT_TRUE(r.Rotate(-180));
  EXPECT_EQ(r.GetPixelColor(3, 2), (Rgba{1, 2, 3, 50}));
  ASSERT_TRUE(r.Rotate(1e300));  // a multiple of 360: unchanged
  EXPECT_EQ(r.GetPixelColor(3, 2), (Rgba{1, 2, 3, 50}));
  EXPECT_FALSE(r.Rotate(45));
  EXPECT_NE(r.LastError().find("90"), std::string::npos);

  r = p;
  r.Flip();  // upside down
  EXPECT_EQ(r.GetPixelColor(0, 2), (Rgba{1, 2, 3, 50}));
  r = p;
  r.Mirror();  // left to right
  EXPECT_EQ(r.GetPixelColor(3, 0), (Rgba{1, 2, 3, 50}));

  r = p;
  r.SelectionSet(PixelRect{1, 1, 10, 10});  // clipped to the picture
  EXPECT_EQ(r.SelectionBox().right, 4);
  ASSERT_TRUE(r.Crop(r.SelectionBox()));
  EXPECT_EQ(r.Width(), 3);
  EXPECT_EQ(r.Height(), 2);
  EXPECT_EQ(r.GetPixelColor(0, 0), p.GetPixelColor(1, 1));
  EXPECT_FALSE(r.HasSelection());
  EXPECT_FALSE(r.Crop(PixelRect{5, 5, 9, 9}));

  // An indexed picture turns without losing its indices.
  Picture indexed = Indexed(5, 2);
  ASSERT_TRUE(indexed.Rotate(90));
  EXPECT_EQ(indexed.BitsPerPixel(), 8);
  EXPECT_EQ(indexed.GetPixelIndex(0, 4), Indexed(5, 2).GetPixelIndex(4, 1));
}

TEST(PictureTransforms, ResampleAndMixBlendAsTold) {
  Picture checker;
  ASSERT_TRUE(checker.Create(4, 4, Rgba{0, 0, 0, 255}));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      if ((x + y) % 2) checker.SetPixelColor(x, y, Rgba{200, 100, 50, 255});
  Picture smooth = checker;
  ASSERT_TRUE(smooth.Resample(2, 2, ResampleFilter::kSmooth));  // each pixel averages 2 x 2
  EXPECT_EQ(smooth.GetPixelColor(1, 1), (Rgba{100, 50, 25, 255}));
  Picture nearest = checker;
  ASSERT_TRUE(nearest.Resample(8, 2, ResampleFilter::kNearest));
  EXPECT_EQ(nearest.GetPixelColor(2, 0), checker.GetPixelColor(1, 0));
  EXPECT_FALSE(nearest.Resample(0, 5, ResampleFilter::kSmooth));
  Picture large = checker;
  ASSERT_TRUE(large.Resample(9, 9, ResampleFilter::kSmooth));  // bilinear, corners kept
  EXPECT_EQ(large.GetPixelColor(0, 0), checker.GetPixelColor(0, 0));

  // Source over destination by the source's alpha; black skipped in the frame mode.
  Picture base;
  ASSERT_TRUE(base.Create(6, 6, Rgba{0, 0, 200, 255}));
  Picture mark;
  ASSERT_TRUE(mark.Create(3, 3, Rgba{255, 255, 255, 255}));
  mark.AlphaFill(128);
  base.Mix(mark, 4, -1, MixMode::kSourceAlpha);  // partly outside: cut
  EXPECT_EQ(base.GetPixelColor(5, 0), (Rgba{128, 128, 228, 255}));
  EXPECT_EQ(base.GetPixelColor(3, 0), (Rgba{0, 0, 200, 255}));
  Picture frame;
  ASSERT_TRUE(frame.Create(6, 6, Rgba{0, 0, 0, 255}));
  frame.SetPixelColor(0, 0, Rgba{10, 20, 30, 255});
  base.Mix(frame, 0, 0, MixMode::kSkipBlack);
  EXPECT_EQ(base.GetPixelColor(0, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(base.GetPixelColor(1, 1), (Rgba{0, 0, 200, 255}));

  // Text ink through a coverage mask makes covered pixels opaque.
  Picture sheet;
  ASSERT_TRUE(sheet.Create(3, 1, Rgba{255, 255, 255, 0}));
  const std::uint8_t mask[] = {0, 255, 128};
  sheet.BlendMask(mask, 3, 1, 0, 0, Rgba{0, 0, 0, 255});
  EXPECT_EQ(sheet.GetPixelColor(0, 0).a, 0);
  EXPECT_EQ(sheet.GetPixelColor(1, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(sheet.GetPixelColor(2, 0), (Rgba{127, 127, 127, 128}));
}

TEST(PictureThumbnails, GeometryScaleAndFrame) {
  // Wide pictures fill the width and are centred vertically, tall ones the other way round.
  const PixelRect wide = FitInside(3000, 2000, 88, 88);
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.Width(), 88);
  EXPECT_EQ(wide.Height(), 58);
  EXPECT_EQ(wide.top, 15);
  const PixelRect tall = FitInside(2000, 3000, 88, 88);
  EXPECT_EQ(tall.top, 0);
  EXPECT_EQ(tall.Height(), 88);
  EXPECT_EQ(tall.left, 15);
  EXPECT_EQ(FitInside(10000, 1, 71, 50).Height(), 1);  // never a zero side

  EXPECT_EQ(JpegScaleDivisor(4000, 3000, 88, 88), 8);
  EXPECT_EQ(JpegScaleDivisor(300, 200, 88, 88), 2);
  EXPECT_EQ(JpegScaleDivisor(120, 90, 88, 88), 1);
  EXPECT_EQ(JpegScaleDivisor(60, 40, 88, 88), 1);  // smaller than the box: never enlarged

  Picture photo = Gradient(1600, 1200);
  std::string jpeg;
  ASSERT_TRUE(photo.Encode(PictureFormat::kJpeg, jpeg));
  Picture thumb;
  int fullWidth = 0, fullHeight = 0;
  ASSERT_TRUE(DecodeThumbnail(jpeg.data(), jpeg.size(), 88, 88, thumb, &fullWidth, &fullHeight));
  EXPECT_EQ(fullWidth, 1600);
  EXPECT_EQ(fullHeight, 1200);
  EXPECT_EQ(thumb.Width(), 88);
  EXPECT_EQ(thumb.Height(), 66);
  EXPECT_NEAR(thumb.GetPixelColor(87, 33).r, 253, 12);  // red follows x
  // From a file the JPEG is streamed; a file cut short is refused, not shown half grey.
  const std::string path = ::testing::TempDir() + "picture_test_photo.jpg";
  ASSERT_TRUE(WriteFileReplacing(path, jpeg));
  fullWidth = 0;
  ASSERT_TRUE(LoadThumbnail(path, 88, 88, thumb, &fullWidth, &fullHeight));
  EXPECT_EQ(fullWidth, 1600);
  EXPECT_EQ(thumb.Height(), 66);
  Picture whole;
  ASSERT_TRUE(whole.Load(path));
  EXPECT_EQ(whole.Width(), 1600);
  EXPECT_EQ(whole.Format(), PictureFormat::kJpeg);
  ASSERT_TRUE(WriteFileReplacing(path, jpeg.substr(0, jpeg.size() / 2)));
  EXPECT_FALSE(LoadThumbnail(path, 88, 88, thumb));
  EXPECT_NE(thumb.LastError().find("ends before"), std::string::npos) << thumb.LastError();
  EXPECT_FALSE(whole.Load(path));
  EXPECT_FALSE(whole.IsValid());
  std::remove(path.c_str());
  EXPECT_FALSE(LoadThumbnail(path, 88, 88, thumb));

  Picture small = Gradient(30, 20);
  std::string png;
  ASSERT_TRUE(small.Encode(PictureFormat::kPng, png));
  ASSERT_TRUE(DecodeThumbnail(png.data(), png.size(), 88, 88, thumb));
  EXPECT_EQ(thumb.Width(), 30);
  EXPECT_FALSE(DecodeThumbnail(jpeg.data(), 100, 88, 88, thumb));
  EXPECT_FALSE(thumb.LastError().empty());

  // The framed thumbnail: frame whole, picture centred inside, background around it.
  Picture framed = MakeFramedThumbnail(photo, 90, 90, Rgba{0xC0, 0xC0, 0xC0, 255}, Rgba{255, 255, 255, 255});
  ASSERT_EQ(framed.Width(), 90);
  for (int i = 0; i < 90; ++i) {
    EXPECT_EQ(framed.GetPixelColor(i, 0), (Rgba{0xC0, 0xC0, 0xC0, 255}));
    EXPECT_EQ(framed.GetPixelColor(89, i), (Rgba{0xC0, 0xC0, 0xC0, 255}));
  }
  EXPECT_EQ(framed.GetPixelColor(45, 10), (Rgba{255, 255, 255, 255}));  // above the picture
  EXPECT_NE(framed.GetPixelColor(45, 45), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(MakeFramedThumbnail(Picture(), 90, 90, Rgba{1, 1, 1, 255}, Rgba{}).GetPixelColor(45, 45), Rgba{});
}

}  // namespace
}  // namespace mb
