#include "client/ui/gif/gif_frames.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

#include "client/ui/gif/gif_writer.h"

namespace mb::gif {
namespace {

const std::vector<std::uint32_t> kPalette = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};

GifWriterFrame Frame(int left, int top, int width, int height, std::optional<int> delay, int disposal,
                     std::uint8_t colour = 1) {
  GifWriterFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.delay = delay;
  f.disposal = disposal;
  f.pixels.assign(static_cast<std::size_t>(width * height), colour);
  return f;
}

// Decodes a whole GIF with giflib; the first image's pixels, or nothing when it fails.
std::optional<std::vector<std::uint8_t>> DecodeFirstImage(const std::string& bytes, int* imageCount = nullptr) {
  struct Source {
    const std::string* data;
    std::size_t pos;
  } source{&bytes, 0};
  auto read = [](GifFileType* gif, GifByteType* buf, int n) -> int {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), s->data->size() - s->pos);
    std::memcpy(buf, s->data->data() + s->pos, count);
    s->pos += count;
    return static_cast<int>(count);
  };
  int error = 0;
  GifFileType* gif = DGifOpen(&source, read, &error);
  if (!gif) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> pixels;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
    const SavedImage& image = gif->SavedImages[0];
    const std::size_t n = static_cast<std::size_t>(image.ImageDesc.Width * image.ImageDesc.Height);
    pixels.emplace(image.RasterBits, image.RasterBits + n);
    if (imageCount) *imageCount = gif->ImageCount;
  }
  DGifCloseFile(gif, &error);
  return pixels;
}

TEST(GifFrames, FramesCarryTheirBytesPositionDelayAndDisposal) {
  GifWriter w(40, 30, kPalette, 1);
  w.LoopForever();
  for (int disposal = 0; disposal < 4; ++disposal) w.Frame(Frame(disposal, 2 * disposal, 10 + disposal, 5, 7 + disposal, disposal));
  const std::string bytes = w.Finish();

  const GifFile file = ParseGif(bytes);
  ASSERT_TRUE(file.isGif);
  EXPECT_EQ(file.width, 40);
  EXPECT_EQ(file.height, 30);
  EXPECT_EQ(file.globalTableSize, 12u);
  ASSERT_TRUE(file.backgroundColour.has_value());
  EXPECT_EQ(*file.backgroundColour, 0x0000FFu);  // entry 1, red, as COLORREF
  ASSERT_EQ(file.frames.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const GifFrame& f = file.frames[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    EXPECT_EQ(f.begin, w.FrameSpans()[static_cast<std::size_t>(i)].begin);
    EXPECT_EQ(f.end, w.FrameSpans()[static_cast<std::size_t>(i)].end);
    EXPECT_TRUE(f.isImage);
    EXPECT_EQ(f.left, i);
    EXPECT_EQ(f.top, 2 * i);
    EXPECT_EQ(f.width, 10 + i);
    EXPECT_EQ(f.height, 5);
    EXPECT_EQ(f.delay, static_cast<std::uint32_t>(7 + i));
    EXPECT_EQ(f.disposal, i);
  }
  EXPECT_EQ(DisposalOf(file.frames[0]), FrameDisposal::kKeep);
  EXPECT_EQ(DisposalOf(file.frames[1]), FrameDisposal::kKeep);
  EXPECT_EQ(DisposalOf(file.frames[2]), FrameDisposal::kRestoreBackground);
  EXPECT_EQ(DisposalOf(file.frames[3]), FrameDisposal::kRestorePrevious);
}

TEST(GifFrames, FrameWithoutControlExtensionStartsAtItsDescriptor) {
  GifWriter w(8, 8, kPalette);
  w.Frame(Frame(0, 0, 8, 8, std::nullopt, 0));
  w.Frame(Frame(1, 1, 2, 2, 20, 5));
  const std::string bytes = w.Finish();
  const GifFile file = ParseGif(bytes);
  ASSERT_EQ(file.frames.size(), 2u);
  EXPECT_EQ(bytes[file.frames[0].begin], ',');
  EXPECT_EQ(file.frames[0].delay, kNoDelay);
  EXPECT_EQ(file.frames[0].disposal, 0);
  EXPECT_EQ(bytes[file.frames[1].begin], '!');
  EXPECT_EQ(file.frames[1].disposal, 5);
  EXPECT_EQ(DisposalOf(file.frames[1]), FrameDisposal::kKeep);
}

TEST(GifFrames, ExtensionsAreSkippedOrKeptWithTheirFrame) {
  GifWriter w(8, 8, kPalette);
  w.Comment("before the first frame").LoopForever();
  // A frame whose control extension is followed by a comment and a second control extension:
  // both belong to the frame, and the first extension gives the delay.
  const std::size_t begin = w.Bytes().size();
  w.Raw(std::string("!\xF9\x04\x08\x21\x00\x00\x00", 8));
  w.Comment(std::string(300, 'x'));
  w.Raw(std::string("!\xF9\x04\x0C\x63\x00\x00\x00", 8));
  GifWriterFrame image = Frame(0, 0, 4, 4, std::nullopt, 0);
  image.localTable = {0x112233, 0x445566, 0x778899};
  w.Frame(image);
  const std::size_t end = w.Bytes().size();
  w.Comment("between frames");
  w.Frame(Frame(0, 0, 1, 1, 3, 0));
  const std::string bytes = w.Finish();

  const GifFile file = ParseGif(bytes);
  ASSERT_EQ(file.frames.size(), 2u);
  EXPECT_EQ(file.frames[0].begin, begin);
  EXPECT_EQ(file.frames[0].end, end);
  EXPECT_EQ(file.frames[0].delay, 0x21u);
  EXPECT_EQ(file.frames[0].disposal, 2);
  EXPECT_EQ(file.frames[1].delay, 3u);
}

TEST(GifFrames, PlainTextEndsAFrameThatIsNoImage) {
  GifWriter w(8, 8, kPalette);
  w.Raw(std::string("!\xF9\x04\x00\x0A\x00\x00\x00", 8));
  std::string plainText("!\x01\x0C", 3);
  plainText += std::string(12, '\x01');
  plainText += SubBlocks("text");
  w.Raw(plainText);
  w.Frame(Frame(0, 0, 2, 2, 10, 0));
  const GifFile file = ParseGif(w.Finish());
  ASSERT_EQ(file.frames.size(), 2u);
  EXPECT_FALSE(file.frames[0].isImage);
  EXPECT_EQ(file.frames[0].delay, 10u);
  EXPECT_EQ(file.frames[0].width, 0);
  EXPECT_TRUE(file.frames[1].isImage);
}

TEST(GifFrames, TrailerAndInvalidBlocksEndTheSearch) {
  {
    GifWriter w(8, 8, kPalette);
    w.Frame(Frame(0, 0, 2, 2, 10, 0)).Raw(";").Frame(Frame(0, 0, 2, 2, 10, 0));
    EXPECT_EQ(ParseGif(w.Finish()).frames.size(), 1u);
  }
  {
    GifWriter w(8, 8, kPalette);
    w.Frame(Frame(0, 0, 2, 2, 10, 0)).Raw(std::string("!\x00\x00", 3)).Frame(Frame(0, 0, 2, 2, 10, 0));
    EXPECT_EQ(ParseGif(w.Finish()).frames.size(), 1u);
  }
  {
    // A control extension followed by the trailer is no frame.
    GifWriter w(8, 8, kPalette);
    w.Frame(Frame(0, 0, 2, 2, 10, 0)).Raw(std::string("!\xF9\x04\x00\x0A\x00\x00\x00", 8));
    EXPECT_EQ(ParseGif(w.Finish()).frames.size(), 1u);
  }
}

TEST(GifFrames, HeaderAndColourTableAreChecked) {
  EXPECT_FALSE(ParseGif("").isGif);
  EXPECT_FALSE(ParseGif("GIF90a\x01\x00").isGif);
  EXPECT_FALSE(ParseGif("\x89PNG\r\n\x1a\n").isGif);

  // A signature without the rest of the header is a GIF without frames.
  const GifFile shortHeader = ParseGif("GIF87a\x10\x00");
  EXPECT_TRUE(shortHeader.isGif);
  EXPECT_TRUE(shortHeader.frames.empty());

  // No global table: no background colour, frames still found.
  GifWriter plain(4, 4, {});
  plain.Frame(Frame(0, 0, 4, 4, 10, 0));
  const GifFile noTable = ParseGif(plain.Finish());
  EXPECT_EQ(noTable.globalTableSize, 0u);
  EXPECT_FALSE(noTable.backgroundColour.has_value());
  EXPECT_EQ(noTable.frames.size(), 1u);

  // A background index past the table's end gives no colour rather than bytes beyond it.
  GifWriter outside(4, 4, {0x010203, 0x040506}, 200);
  outside.Frame(Frame(0, 0, 4, 4, 10, 0));
  EXPECT_FALSE(ParseGif(outside.Finish()).backgroundColour.has_value());

  // A table that claims more bytes than the file holds.
  std::string claimsTable = plain.Finish();
  claimsTable[10] = static_cast<char>(0x87);  // 768 bytes of table
  EXPECT_TRUE(ParseGif(claimsTable).frames.empty());
}

TEST(GifFrames, TruncatedFilesYieldTheFramesBeforeTheDamage) {
  GifWriter w(16, 16, kPalette);
  w.LoopForever();
  for (int i = 0; i < 3; ++i) w.Frame(Frame(0, 0, 16, 16, 10, i));
  const std::string bytes = w.Finish();
  const auto& spans = w.FrameSpans();
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    std::size_t whole = 0;
    for (const auto& s : spans) whole += s.end <= cut ? 1 : 0;
    SCOPED_TRACE(cut);
    EXPECT_EQ(ParseGif(std::string_view(bytes).substr(0, cut)).frames.size(), whole);
  }

  // A sub-block length that runs past the end in the middle of the third frame.
  std::string damaged = bytes.substr(0, spans[2].end);
  const std::size_t firstLength = spans[2].begin + 8 + 10 + 1;  // control extension, descriptor, code size
  ASSERT_LT(static_cast<unsigned char>(damaged[firstLength]), 0xFF);
  damaged[firstLength] = static_cast<char>(0xFF);
  const GifFile file = ParseGif(damaged);
  EXPECT_EQ(file.frames.size(), 2u);
}

TEST(GifFrames, CutFrameIsAStandAloneGifThatDecodes) {
  GifWriter w(6, 4, kPalette);
  GifWriterFrame first = Frame(0, 0, 6, 4, 10, 0, 1);
  GifWriterFrame second = Frame(2, 1, 3, 2, 10, 2);
  second.pixels = {0, 1, 2, 3, 2, 1};
  w.Frame(first).Comment("c").Frame(second);
  const std::string bytes = w.Finish();
  const GifFile file = ParseGif(bytes);
  ASSERT_EQ(file.frames.size(), 2u);

  const std::string cut = BuildFrameGif(bytes, file, file.frames[1]);
  EXPECT_EQ(cut.size(), 13 + file.globalTableSize + (file.frames[1].end - file.frames[1].begin) + 1);
  EXPECT_EQ(cut.back(), ';');
  const GifFile again = ParseGif(cut);
  ASSERT_EQ(again.frames.size(), 1u);
  EXPECT_EQ(again.frames[0].left, 2);
  EXPECT_EQ(again.frames[0].top, 1);
  EXPECT_EQ(again.frames[0].disposal, 2);
  int images = 0;
  const auto pixels = DecodeFirstImage(cut, &images);
  ASSERT_TRUE(pixels.has_value());
  EXPECT_EQ(images, 1);
  EXPECT_EQ(*pixels, second.pixels);

  // A frame record that does not fit the data gives nothing.
  GifFrame outside = file.frames[1];
  outside.end = bytes.size() + 1;
  EXPECT_TRUE(BuildFrameGif(bytes, file, outside).empty());
}

TEST(GifFrames, WriterImageDataDecodesAtEveryDepth) {
  // Enough pixels for many clear codes at each code size.
  for (int bits = 1; bits <= 8; ++bits) {
    SCOPED_TRACE(bits);
    std::vector<std::uint32_t> palette(std::size_t{1} << bits);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint32_t>(i * 0x010101);
    GifWriterFrame f = Frame(0, 0, 37, 23, 10, 0);
    for (std::size_t i = 0; i < f.pixels.size(); ++i) f.pixels[i] = static_cast<std::uint8_t>((i * 7) % palette.size());
    GifWriter w(37, 23, palette);
    w.Frame(f);
    const auto pixels = DecodeFirstImage(w.Finish());
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(*pixels, f.pixels);
  }
}

TEST(GifFrames, WaitFollowsTheDelayWithAFloorOf100Ms) {
  EXPECT_EQ(FrameWaitMs(0), 100u);
  EXPECT_EQ(FrameWaitMs(3), 100u);
  EXPECT_EQ(FrameWaitMs(4), 100u);
  EXPECT_EQ(FrameWaitMs(5), 50u);
  EXPECT_EQ(FrameWaitMs(50), 500u);
  EXPECT_EQ(FrameWaitMs(65535), 655350u);
  EXPECT_EQ(FrameWaitMs(kNoDelay), 100u);
}

}  // namespace
}  // namespace mb::gif
