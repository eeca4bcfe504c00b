#include "thumblist/core/image_info_record.h"

#include <cstring>
#include <string_view>

#include "common/gbk_text.h"
#include "common/sdom_doc.h"

namespace mb::thumblist {

namespace {
template <std::size_t N>
void Fill(char (&field)[N], std::string_view text) {
  CopyToField(field, N, text);
}

void PutInt32(unsigned char* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}
}  // namespace

stImageInfo MakeImageInfo(const RowTexts& row) {
  stImageInfo info;
  std::memset(&info, 0, sizeof info);
  Fill(info.filePath, RowFilePath(row));
  Fill(info.sizeText, row[kColSize]);
  Fill(info.title, row[kColTitle]);
  Fill(info.remark, row[kColRemark]);
  Fill(info.tag, row[kColTag]);
  Fill(info.dimensions, row[kColDimensions]);
  Fill(info.category, row[kColCategory]);
  Fill(info.source, row[kColSource]);
  info.pictureType = ReadLeadingInt(row[kColPictureType]);
  info.uploadType = ReadLeadingInt(row[kColUploadType]);
  info.album = ReadLeadingInt(row[kColAlbum]);
  info.pk = TakesPartInPk(row) ? 1 : 0;
  return info;
}

ImageInfoBytes ImageInfoToBytes(const stImageInfo& info) {
  using namespace info_field;
  ImageInfoBytes bytes{};
  auto text = [&bytes](std::size_t offset, const char* field, std::size_t size) {
    std::memcpy(bytes.data() + offset, field, size);
  };
  text(kFilePath, info.filePath, sizeof info.filePath);
  text(kSizeText, info.sizeText, sizeof info.sizeText);
  text(kTitle, info.title, sizeof info.title);
  text(kRemark, info.remark, sizeof info.remark);
  text(kTag, info.tag, sizeof info.tag);
  text(kDimensions, info.dimensions, sizeof info.dimensions);
  text(kCategory, info.category, sizeof info.category);
  text(kSource, info.source, sizeof info.source);
  PutInt32(bytes.data() + kPictureType, info.pictureType);
  PutInt32(bytes.data() + kUploadType, info.uploadType);
  PutInt32(bytes.data() + kAlbum, info.album);
  PutInt32(bytes.data() + kPk, info.pk);
  return bytes;
}

}  // namespace mb::thumblist
