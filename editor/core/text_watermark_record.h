// The 576-byte text watermark record the operations panel hands to the editor: the text, its
// font and its colour. Every text field is read within its own bytes, whatever they hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mb::editor {

constexpr std::size_t kTextRecordSize = 576;

struct TextWatermarkRecord {
  std::string text;       // GBK
  std::int32_t fontHeight = 0;
  std::int32_t fontWeight = 0;
  bool italic = false;
  bool underline = false;
  std::string faceName;   // GBK
  std::uint32_t colour = 0;  // COLORREF 0x00BBGGRR
};

// Reads a record of kTextRecordSize bytes (the bytes are taken as they lie: little-endian).
TextWatermarkRecord ParseTextWatermarkRecord(const void* record);
// The record as the panel writes it: zero-filled, texts cut at a character boundary.
void WriteTextWatermarkRecord(const TextWatermarkRecord& in, void* record);

}  // namespace mb::editor
