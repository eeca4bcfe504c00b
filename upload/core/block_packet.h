// The block message of the upload server: one 6,504-byte packet per block of a picture, answered
// by 4 bytes. Integers are 32-bit little-endian, texts zero-terminated and zero-filled.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mb::upload {

inline constexpr std::size_t kBlockPacketSize = 6504;
inline constexpr std::size_t kBlockDataSize = 6144;
inline constexpr std::size_t kReplySize = 4;
inline constexpr std::uint8_t kBlockPacketType = 1;

// Field positions and widths inside the packet.
namespace block_field {
inline constexpr std::size_t kReserved = 0;
inline constexpr std::size_t kType = 4;
inline constexpr std::size_t kUserName = 5, kUserNameSize = 64;
inline constexpr std::size_t kRemoteName = 69, kRemoteNameSize = 260;
inline constexpr std::size_t kDateFolder = 329, kDateFolderSize = 12;
inline constexpr std::size_t kMinuteFolder = 341, kMinuteFolderSize = 7;
inline constexpr std::size_t kOffset = 348;
inline constexpr std::size_t kCount = 352;
inline constexpr std::size_t kUploadType = 356;
inline constexpr std::size_t kData = 360;
}  // namespace block_field

// The socket class writes its port number into the address without byte-order conversion, so on
// the little-endian machine the connection goes to the byte-swapped number.
constexpr std::uint16_t RawPortOnWire(std::uint16_t port) {
  return static_cast<std::uint16_t>((port >> 8) | (port << 8));
}
inline constexpr std::uint16_t kBlockPort = 5005;   // as written by the program
inline constexpr std::uint16_t kRecordPort = 5006;  // as written by the program
inline constexpr std::uint16_t kBlockWirePort = RawPortOnWire(kBlockPort);    // 36115
inline constexpr std::uint16_t kRecordWirePort = RawPortOnWire(kRecordPort);  // 36371

struct BlockHeader {
  std::uint8_t type = kBlockPacketType;
  std::string userName;
  std::string remoteName;
  std::string dateFolder;
  std::string minuteFolder;
  std::uint32_t offset = 0;
  std::uint32_t count = 0;
  std::uint32_t uploadType = 0;
};

using BlockPacketBytes = std::array<unsigned char, kBlockPacketSize>;

// Fills the packet field by field into zeroed bytes. Texts are cut to their field (at a character
// boundary); data beyond kBlockDataSize bytes is not taken. The count field is written as given.
void EncodeBlockPacket(const BlockHeader& header, std::string_view data, BlockPacketBytes& packet);

BlockHeader DecodeBlockHeader(const BlockPacketBytes& packet);
inline const unsigned char* BlockData(const BlockPacketBytes& packet) {
  return packet.data() + block_field::kData;
}

void PutUint32(unsigned char* at, std::uint32_t value);
std::uint32_t GetUint32(const unsigned char* at);

}  // namespace mb::upload
