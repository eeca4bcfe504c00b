#include "skin/format/bmp24.h"

#include <gtest/gtest.h>

namespace mb::skinfile {
namespace {

Bitmap24 Pattern(int w, int h) {
  Bitmap24 b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.Set(x, y, Rgb{static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 50), 7});
  }
  return b;
}

void ExpectSame(const Bitmap24& a, const Bitmap24& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) EXPECT_TRUE(a.At(x, y) == b.At(x, y)) << x << "," << y;
  }
}

TEST(Bmp24, RoundTripsWithPaddedBottomUpRows) {
  for (int w : {1, 2, 3, 4, 5}) {
    SCOPED_TRACE(w);
    const Bitmap24 b = Pattern(w, 3);
    const std::string bytes = EncodeBmp24(b);
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + row * 3);
    // The last row of the picture comes first in the file, blue first.
    EXPECT_EQ(static_cast<unsigned char>(bytes[54]), 7);
    EXPECT_EQ(static_cast<unsigned char>(bytes[55]), 100);
    const std::optional<Bitmap24> back = DecodeBmp24(bytes);
    ASSERT_TRUE(back.has_value());
    ExpectSame(b, *back);
  }
}

TEST(Bmp24, ReadsTopDownFiles) {
  const Bitmap24 b = Pattern(3, 2);
  std::string bytes = EncodeBmp24(b);
  // Swap the two rows (each 12 bytes) and make the height negative.
  bytes = bytes.substr(0, 54) + bytes.substr(66, 12) + bytes.substr(54, 12);
  bytes[22] = static_cast<char>(0xFE);
  bytes[23] = bytes[24] = bytes[25] = static_cast<char>(0xFF);
  const std::optional<Bitmap24> back = DecodeBmp24(bytes);
  ASSERT_TRUE(back.has_value());
  ExpectSame(b, *back);
}

// The skin engine copies a file's rows straight into a DIB section, a band at a time as they are
// first drawn, and reads them back through BgrPixels: the view must see the same picture as the
// decoder, whatever the file's row order and the order the bands come in.
TEST(Bmp24, RowsCopiedIntoABufferReadAsTheDecodedPicture) {
  const Bitmap24 b = Pattern(5, 3);  // 15 bytes a row, padded to 16
  const std::string bottomUp = EncodeBmp24(b);
  std::string topDown = bottomUp.substr(0, 54) + bottomUp.substr(86, 16) + bottomUp.substr(70, 16) + bottomUp.substr(54, 16);
  topDown[22] = static_cast<char>(0xFD);
  topDown[23] = topDown[24] = topDown[25] = static_cast<char>(0xFF);
  for (const std::string& file : {bottomUp, topDown}) {
    const std::optional<Bmp24Layout> layout = ReadBmp24Layout(file);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->width, 5);
    EXPECT_EQ(layout->height, 3);
    std::vector<std::uint8_t> rows(BgrRowBytes(5) * 3, 0xAA);
    CopyBmp24Rows(file, *layout, rows.data());
    const BgrPixels view(rows.data(), 5, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_TRUE(view.At(x, y) == b.At(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(view.At(5, 0) == Rgb{});
    EXPECT_TRUE(view.At(0, -1) == Rgb{});

    // Bands read from the file's headers alone: the last row, then the first two.
    const std::optional<Bmp24Layout> fromHead = ReadBmp24Layout(std::string_view(file).substr(0, 54), file.size());
    ASSERT_TRUE(fromHead.has_value());
    std::vector<std::uint8_t> banded(rows.size(), 0xAA);
    for (const auto& [first, count] : {std::pair{2, 1}, std::pair{0, 2}}) {
      const FileSpan span = Bmp24RowsSpan(*fromHead, first, count);
      ASSERT_LE(span.offset + span.length, file.size());
      CopyBmp24RowsFromSpan(std::string_view(file).substr(span.offset, span.length), *fromHead, count,
                            banded.data() + BgrRowBytes(5) * static_cast<std::size_t>(first));
    }
    EXPECT_EQ(banded, rows);
  }
  EXPECT_FALSE(ReadBmp24Layout(bottomUp.substr(0, bottomUp.size() - 1)).has_value());
  EXPECT_FALSE(ReadBmp24Layout(std::string_view(bottomUp).substr(0, 54), bottomUp.size() - 1).has_value());
}

TEST(Bmp24, RefusesOtherFormatsAndShortData) {
  const std::string good = EncodeBmp24(Pattern(4, 4));
  EXPECT_FALSE(DecodeBmp24(good.substr(0, good.size() - 1)).has_value());
  EXPECT_FALSE(DecodeBmp24(good.substr(0, 40)).has_value());
  std::string bits = good;
  bits[28] = 32;
  EXPECT_FALSE(DecodeBmp24(bits).has_value());
  std::string compressed = good;
  compressed[30] = 1;
  EXPECT_FALSE(DecodeBmp24(compressed).has_value());
  std::string huge = good;
  huge[19] = 0x7F;  // width 32516
  EXPECT_FALSE(DecodeBmp24(huge).has_value());
  std::string offset = good;
  offset[10] = static_cast<char>(0xFF);
  offset[11] = static_cast<char>(0xFF);
  EXPECT_FALSE(DecodeBmp24(offset).has_value());
  EXPECT_FALSE(DecodeBmp24("").has_value());
}

}  // namespace
}  // namespace mb::skinfile
