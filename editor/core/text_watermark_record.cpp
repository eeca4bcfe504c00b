#include "editor/core/text_watermark_record.h"

#include <cstring>

#include "common/gbk_text.h"

namespace mb::editor {

namespace {
constexpr std::size_t kTextOffset = 0, kTextSize = 512;
constexpr std::size_t kHeightOffset = 512;
constexpr std::size_t kWeightOffset = 528;
constexpr std::size_t kItalicOffset = 532;
constexpr std::size_t kUnderlineOffset = 533;
constexpr std::size_t kFaceOffset = 540, kFaceSize = 32;
constexpr std::size_t kColourOffset = 572;

std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void WriteU32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
}  // namespace

TextWatermarkRecord ParseTextWatermarkRecord(const void* record) {
  const auto* bytes = static_cast<const unsigned char*>(record);
  TextWatermarkRecord out;
  out.text = ReadField(reinterpret_cast<const char*>(bytes + kTextOffset), kTextSize);
  out.fontHeight = static_cast<std::int32_t>(ReadU32(bytes + kHeightOffset));
  out.fontWeight = static_cast<std::int32_t>(ReadU32(bytes + kWeightOffset));
  out.italic = bytes[kItalicOffset] != 0;
  out.underline = bytes[kUnderlineOffset] != 0;
  out.faceName = ReadField(reinterpret_cast<const char*>(bytes + kFaceOffset), kFaceSize);
  out.colour = ReadU32(bytes + kColourOffset);
  return out;
}

void WriteTextWatermarkRecord(const TextWatermarkRecord& in, void* record) {
  auto* bytes = static_cast<unsigned char*>(record);
  std::memset(bytes, 0, kTextRecordSize);
  CopyToField(reinterpret_cast<char*>(bytes + kTextOffset), kTextSize, in.text);
  WriteU32(bytes + kHeightOffset, static_cast<std::uint32_t>(in.fontHeight));
  WriteU32(bytes + kWeightOffset, static_cast<std::uint32_t>(in.fontWeight));
  bytes[kItalicOffset] = in.italic ? 1 : 0;
  bytes[kUnderlineOffset] = in.underline ? 1 : 0;
  CopyToField(reinterpret_cast<char*>(bytes + kFaceOffset), kFaceSize, in.faceName);
  WriteU32(bytes + kColourOffset, in.colour);
}

}  // namespace mb::editor
