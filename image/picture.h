// One decoded picture and everything the programs do with it: load (format found from the bytes),
// save in a format, rotate, flip, mirror, resample, crop, a selection rectangle, an alpha channel,
// mixing one picture onto another, pixel and palette access, and the thumbnail path.
//
// Coordinates are top-down: (0, 0) is the top-left pixel. Rectangles include left/top and exclude
// right/bottom. A picture is either true colour (24 bits, rows of blue-green-red) or indexed
// (8 bits with a palette of up to 256 colours); either can carry an alpha plane beside it.
// Drawing on a device context and text through GDI are in image/win/picture_gdi.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace mb {

namespace codec {
struct DecodeRequest;
}

// The numbers are those of the client's ImageFormatFromExtension.
enum class PictureFormat { kUnknown = 0, kBmp = 1, kGif = 2, kJpeg = 3, kPng = 4 };

// The format the bytes begin with, or kUnknown.
PictureFormat DetectPictureFormat(const void* bytes, std::size_t size);

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};
inline bool operator==(const Rgba& x, const Rgba& y) {
  return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}
inline bool operator!=(const Rgba& x, const Rgba& y) { return !(x == y); }

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Pictures whose declared size passes these are refused before any pixel memory is taken, so a
// small file cannot ask for gigabytes (a process of the programs has 2 GB of address space).
struct DecodeLimits {
  int maxWidth = 16384;
  int maxHeight = 16384;
  std::int64_t maxPixels = 64LL * 1024 * 1024;
};

enum class ResampleFilter {
  kNearest,  // fast: the nearest source pixel
  kSmooth,   // area average when shrinking, bilinear when enlarging
};

enum class MixMode {
  kSourceAlpha,  // source over destination by the source's alpha (opaque without an alpha plane)
  kSkipBlack,    // source pixels copied, except pure black ones, which stay transparent
};

// The pixels and what belongs to them; the codecs fill and read this.
struct PictureData {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;           // 24 (blue, green, red) or 8 (palette index)
  std::vector<std::uint8_t> pixels;  // rows top-down, width * bitsPerPixel / 8 bytes each
  std::vector<std::uint8_t> alpha;   // width * height bytes, or empty for an opaque picture
  std::vector<Rgba> palette;         // indexed pictures only
  int transIndex = -1;               // palette index drawn transparent, -1 none
  Rgba transColor{0, 0, 0, 0};       // true-colour colour drawn transparent when its alpha is 255
  PictureFormat format = PictureFormat::kUnknown;  // what it was decoded from
  int frameCount = 0;                // frames in the file (GIF: all of them), 1 for still formats

  std::size_t Stride() const { return static_cast<std::size_t>(width) * (bitsPerPixel / 8); }
};

class Picture;

// The thumbnail path. Loads the file shrunk to fit boxWidth x boxHeight (never enlarged): a JPEG
// is decoded at its DCT scale (1/2, 1/4 or 1/8) before the smooth resample; other formats are
// decoded whole. fullWidth and fullHeight receive the picture's own size. Errors as for
// Picture::Load, in out.LastError(). DecodeThumbnail does the same on bytes in memory.
bool LoadThumbnail(const std::string& path, int boxWidth, int boxHeight, Picture& out,
                   int* fullWidth = nullptr, int* fullHeight = nullptr);
bool DecodeThumbnail(const void* bytes, std::size_t size, int boxWidth, int boxHeight, Picture& out,
                     int* fullWidth = nullptr, int* fullHeight = nullptr);

class Picture {
 public:
  Picture() = default;

  // Loading. The format comes from the bytes, never from the name. frame chooses a GIF frame
  // (0 the first). On failure the picture is left empty and LastError() says why.
  bool Load(const std::string& path, int frame = 0);
  bool Decode(const void* bytes, std::size_t size, int frame = 0);
  void SetDecodeLimits(const DecodeLimits& limits) { limits_ = limits; }
  const DecodeLimits& Limits() const { return limits_; }

  // Saving. The file is written beside the target and then put in its place, so a failed save
  // leaves the old file as it was. JPEG drops the alpha plane; GIF reduces true colour to 256
  // colours and turns alpha below 128 into the transparent index.
  bool Save(const std::string& path, PictureFormat format);
  bool Encode(PictureFormat format, std::string& out);
  void SetJpegQuality(int quality) { jpegQuality_ = quality; }

  // A new true-colour picture filled with one colour (alpha plane only when colour.a < 255).
  bool Create(int width, int height, Rgba fill);
  void Clear();

  const std::string& LastError() const { return lastError_; }
  bool IsValid() const { return data_.width > 0 && data_.height > 0; }
  int Width() const { return data_.width; }
  int Height() const { return data_.height; }
  int BitsPerPixel() const { return data_.bitsPerPixel; }
  PictureFormat Format() const { return data_.format; }
  int FrameCount() const { return data_.frameCount; }

  // Transforms. Rotate turns clockwise for positive degrees; right angles (any multiple of 90,
  // negative ones included) are exact; other angles are refused. Flip turns the picture upside
  // down, Mirror swaps left and right. Each drops the selection.
  bool Rotate(double degrees);
  void Flip();
  void Mirror();
  bool Resample(int width, int height, ResampleFilter filter);
  bool Crop(const PixelRect& rect);  // clipped to the picture; an empty result is refused

  // One selection rectangle, clipped to the picture.
  void SelectionSet(const PixelRect& rect);
  void SelectionClear() { selection_ = PixelRect{}; }
  bool HasSelection() const { return !selection_.IsEmpty(); }
  const PixelRect& SelectionBox() const { return selection_; }

  // Alpha plane.
  bool HasAlpha() const { return !data_.alpha.empty(); }
  void AlphaCreate();                 // opaque plane (existing one kept)
  void AlphaFill(std::uint8_t value); // creates the plane when missing
  void AlphaDelete() { data_.alpha.clear(); }

  // Draws source onto this picture with its top-left corner at (x, y); parts outside are cut.
  // An indexed destination becomes true colour.
  void Mix(const Picture& source, int x, int y, MixMode mode);

  // Pixels. Outside the picture: colour {0,0,0,0} and index 0; setting does nothing.
  Rgba GetPixelColor(int x, int y) const;
  int GetPixelIndex(int x, int y) const;  // 0 for true colour
  std::uint8_t GetPixelAlpha(int x, int y) const;  // 255 without an alpha plane
  // An indexed picture takes the nearest palette entry. setAlpha writes colour.a into the alpha
  // plane (creating it when the value is not 255).
  void SetPixelColor(int x, int y, Rgba colour, bool setAlpha = false);

  // Palette and transparency.
  int PaletteSize() const { return static_cast<int>(data_.palette.size()); }
  Rgba PaletteColor(int index) const;
  int TransIndex() const { return data_.transIndex; }
  void SetTransIndex(int index);  // -1 or outside the palette clears it
  Rgba TransColor() const { return data_.transColor; }
  void SetTransColor(Rgba colour) { data_.transColor = colour; }

  // The picture as 32-bit top-down blue-green-red-alpha pixels, with the alpha plane, the
  // transparent index and the transparent colour turned into alpha. premultiplied multiplies the
  // colours by the alpha (what an alpha-blending draw call wants).
  std::vector<std::uint8_t> ToBgra(bool premultiplied) const;
  // Lays colour over the picture through a coverage mask (0 none .. 255 full) of maskWidth by
  // maskHeight bytes placed at (x, y); colour.a scales the coverage. Where the picture has an
  // alpha plane, covered pixels become at least as opaque as the coverage.
  void BlendMask(const std::uint8_t* mask, int maskWidth, int maskHeight, int x, int y, Rgba colour);

  // The whole picture data, for the codecs and the drawing layer.
  const PictureData& Data() const { return data_; }
  void Adopt(PictureData data);

 private:
  friend bool LoadThumbnail(const std::string&, int, int, Picture&, int*, int*);
  friend bool DecodeThumbnail(const void*, std::size_t, int, int, Picture&, int*, int*);
  // The JPEG side of the thumbnail path, from bytes or from an open file.
  bool DecodeJpegToFit(const void* bytes, std::size_t size, std::FILE* file, int boxWidth, int boxHeight,
                       int* fullWidth, int* fullHeight);
  bool DecodeAs(PictureFormat format, codec::DecodeRequest request);
  bool Fail(std::string message);
  void PromoteToTrueColour();

  PictureData data_;
  PixelRect selection_;
  DecodeLimits limits_;
  int jpegQuality_ = 90;
  std::string lastError_;
};

// Thumbnail geometry.

// Where a width x height picture goes inside a box, aspect ratio kept, centred: a picture
// relatively taller than the box fills the box's height, any other fills its width. Sides are at
// least 1 pixel.
PixelRect FitInside(int width, int height, int boxWidth, int boxHeight);

// The largest DCT scale divisor (8, 4, 2 or 1) that keeps a width x height JPEG at least as large
// as the fitted size in the box, so scaling down afterwards still has every pixel it needs.
int JpegScaleDivisor(int width, int height, int boxWidth, int boxHeight);


// A boxWidth x boxHeight picture of background with a one-pixel frame of frameColour, and the
// picture fitted (FitInside) into the inside (boxWidth - 2) x (boxHeight - 2), so the frame stays
// whole whatever the picture's shape.
Picture MakeFramedThumbnail(const Picture& picture, int boxWidth, int boxHeight, Rgba frameColour,
                            Rgba background);

}  // namespace mb
