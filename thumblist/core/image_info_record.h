// stImageInfo: one row's facts as the list hands them to the panes (lParam of the show-info
// message, and of the settings pane's write-back), 1,404 bytes. It lives on the sender's stack
// for the length of a synchronous send. Every text is zero-terminated and cut at a character
// boundary to its field. The last word carries the "参与图片PK" tick of the row, so that the pane
// shows each row's own tick and writes it back with the other settings.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "thumblist/core/picture_row.h"

struct stImageInfo {
  char filePath[260];
  char sizeText[32];
  char title[256];
  char remark[256];
  char tag[258];
  char dimensions[32];
  char category[256];
  char source[38];
  std::int32_t pictureType;
  std::int32_t uploadType;
  std::int32_t album;
  std::int32_t pk;  // 1: the picture takes part in PK
};

namespace mb::thumblist {

inline constexpr std::size_t kImageInfoSize = 1404;
using ImageInfoBytes = std::array<unsigned char, kImageInfoSize>;

namespace info_field {
inline constexpr std::size_t kFilePath = 0, kSizeText = 260, kTitle = 292, kRemark = 548, kTag = 804,
                             kDimensions = 1062, kCategory = 1094, kSource = 1350, kPictureType = 1388,
                             kUploadType = 1392, kAlbum = 1396, kPk = 1400;
}  // namespace info_field

// Zero-filled, then filled from the row: path = folder + file name, numbers read from their texts.
stImageInfo MakeImageInfo(const RowTexts& row);

// The record's bytes written field by field (numbers little-endian), as receivers read them.
ImageInfoBytes ImageInfoToBytes(const stImageInfo& info);

}  // namespace mb::thumblist

static_assert(sizeof(stImageInfo) == mb::thumblist::kImageInfoSize, "the record keeps its size");
static_assert(offsetof(stImageInfo, tag) == mb::thumblist::info_field::kTag &&
                  offsetof(stImageInfo, source) == mb::thumblist::info_field::kSource &&
                  offsetof(stImageInfo, pictureType) == mb::thumblist::info_field::kPictureType &&
                  offsetof(stImageInfo, album) == mb::thumblist::info_field::kAlbum &&
                  offsetof(stImageInfo, pk) == mb::thumblist::info_field::kPk,
              "the record keeps its layout");
