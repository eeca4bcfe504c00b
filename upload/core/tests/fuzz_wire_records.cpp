// Whatever bytes arrive at the stand-in as a block packet or a picture record decode into fields
// within their widths, and once written out again they read back unchanged. (A raw field without
// its terminating zero is cut when written, so only the written form has to round-trip.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "upload/core/block_packet.h"
#include "upload/core/image_info.h"

namespace {

using namespace mb::upload;

void Check(bool condition) {
  if (!condition) std::abort();
}

BlockHeader RoundTrip(const BlockHeader& header, const BlockPacketBytes& source, BlockPacketBytes& packet) {
  EncodeBlockPacket(header, std::string_view(reinterpret_cast<const char*>(BlockData(source)), kBlockDataSize),
                    packet);
  return DecodeBlockHeader(packet);
}

bool SameHeader(const BlockHeader& a, const BlockHeader& b) {
  return a.userName == b.userName && a.remoteName == b.remoteName && a.dateFolder == b.dateFolder &&
         a.minuteFolder == b.minuteFolder && a.offset == b.offset && a.count == b.count &&
         a.uploadType == b.uploadType;
}

bool SameRecord(const CImageInfo& a, const CImageInfo& b) {
  return std::strcmp(a.GetUserNameA(), b.GetUserNameA()) == 0 && std::strcmp(a.GetStoreHead(), b.GetStoreHead()) == 0 &&
         std::strcmp(a.GetFileName(), b.GetFileName()) == 0 && std::strcmp(a.GetRemark(), b.GetRemark()) == 0 &&
         std::strcmp(a.GetTag(), b.GetTag()) == 0 && std::strcmp(a.GetTitle(), b.GetTitle()) == 0 &&
         std::strcmp(a.GetPix(), b.GetPix()) == 0 && a.GetImgArtID() == b.GetImgArtID() &&
         a.GetUploadDate() == b.GetUploadDate() && a.GetImgSourceID() == b.GetImgSourceID() &&
         a.GetUploadType() == b.GetUploadType() && a.GetSpecialNum() == b.GetSpecialNum() && a.GetPK() == b.GetPK();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BlockPacketBytes raw{};
  std::memcpy(raw.data(), data, std::min(size, raw.size()));
  const BlockHeader decoded = DecodeBlockHeader(raw);
  Check(decoded.userName.size() <= block_field::kUserNameSize &&
        decoded.remoteName.size() <= block_field::kRemoteNameSize);
  BlockPacketBytes written, rewritten;
  const BlockHeader normal = RoundTrip(decoded, raw, written);
  Check(normal.userName.size() < block_field::kUserNameSize);
  Check(SameHeader(RoundTrip(normal, written, rewritten), normal));
  Check(written == rewritten);

  ImageRecordBytes record{};
  std::memcpy(record.data(), data, std::min(size, record.size()));
  ImageRecordBytes once, twice;
  const CImageInfo info = CImageInfo::FromWire(record);
  info.ToWire(once);
  const CImageInfo normalRecord = CImageInfo::FromWire(once);
  Check(std::strlen(normalRecord.GetTitle()) < record_field::kTitleSize);
  normalRecord.ToWire(twice);
  Check(once == twice && SameRecord(CImageInfo::FromWire(twice), normalRecord));
  return 0;
}
