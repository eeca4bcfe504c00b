#include "upload/core/block_packet.h"

#include <algorithm>
#include <cstring>

#include "common/gbk_text.h"

namespace mb::upload {

void PutUint32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetUint32(const unsigned char* at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

namespace {
char* TextAt(BlockPacketBytes& packet, std::size_t offset) {
  return reinterpret_cast<char*>(packet.data() + offset);
}
std::string ReadText(const BlockPacketBytes& packet, std::size_t offset, std::size_t size) {
  return ReadField(reinterpret_cast<const char*>(packet.data() + offset), size);
}
}  // namespace

void EncodeBlockPacket(const BlockHeader& header, std::string_view data, BlockPacketBytes& packet) {
  using namespace block_field;
  packet.fill(0);
  packet[kType] = header.type;
  CopyToField(TextAt(packet, kUserName), kUserNameSize, header.userName);
  CopyToField(TextAt(packet, kRemoteName), kRemoteNameSize, header.remoteName);
  CopyToField(TextAt(packet, kDateFolder), kDateFolderSize, header.dateFolder);
  CopyToField(TextAt(packet, kMinuteFolder), kMinuteFolderSize, header.minuteFolder);
  PutUint32(packet.data() + kOffset, header.offset);
  PutUint32(packet.data() + kCount, header.count);
  PutUint32(packet.data() + kUploadType, header.uploadType);
  const std::size_t n = std::min(data.size(), kBlockDataSize);
  if (n > 0) std::memcpy(packet.data() + kData, data.data(), n);
}

BlockHeader DecodeBlockHeader(const BlockPacketBytes& packet) {
  using namespace block_field;
  BlockHeader header;
  header.type = packet[kType];
  header.userName = ReadText(packet, kUserName, kUserNameSize);
  header.remoteName = ReadText(packet, kRemoteName, kRemoteNameSize);
  header.dateFolder = ReadText(packet, kDateFolder, kDateFolderSize);
  header.minuteFolder = ReadText(packet, kMinuteFolder, kMinuteFolderSize);
  header.offset = GetUint32(packet.data() + kOffset);
  header.count = GetUint32(packet.data() + kCount);
  header.uploadType = GetUint32(packet.data() + kUploadType);
  return header;
}

}  // namespace mb::upload
