// The block packet and the picture record against bytes laid out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "upload/core/block_packet.h"
#include "upload/core/image_info.h"

namespace mb::upload {
namespace {

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// A text field of the given width: the text, then zeros.
std::string Field(const std::string& text, std::size_t width) { return text + Zeros(width - text.size()); }

std::string Le32(std::uint32_t v) {
  return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}

TEST(BlockPacket, HeaderAndDataMatchTheLayout) {
  BlockHeader header;
  header.userName = "ann.lee";
  header.remoteName = "annlee2024315930451234.jpg";
  header.dateFolder = "2024-3-15";
  header.minuteFolder = "30";
  header.offset = 6143;
  header.count = 3;
  header.uploadType = 2;
  BlockPacketBytes packet;
  packet.fill(0xCC);
  EncodeBlockPacket(header, std::string("xyz"), packet);

  std::string expected = Zeros(4) + "\x01" + Field("ann.lee", 64) + Field("annlee2024315930451234.jpg", 260) +
                         Field("2024-3-15", 12) + Field("30", 7) + Le32(6143) + Le32(3) + Le32(2) + "xyz" +
                         Zeros(6141);
  ASSERT_EQ(expected.size(), 6504u);
  EXPECT_EQ(std::string(packet.begin(), packet.end()), expected);

  const BlockHeader back = DecodeBlockHeader(packet);
  EXPECT_EQ(back.type, 1);
  EXPECT_EQ(back.userName, "ann.lee");
  EXPECT_EQ(back.remoteName, header.remoteName);
  EXPECT_EQ(back.dateFolder, "2024-3-15");
  EXPECT_EQ(back.minuteFolder, "30");
  EXPECT_EQ(back.offset, 6143u);
  EXPECT_EQ(back.count, 3u);
  EXPECT_EQ(back.uploadType, 2u);
}

TEST(BlockPacket, OverlongTextsAndDataStayInsideTheirFields) {
  BlockHeader header;
  // 63 single bytes then a two-byte character: the character does not fit before the final zero.
  header.userName = std::string(62, 'u') + "\xD6\xD0";
  header.minuteFolder = "1234567890";
  BlockPacketBytes packet;
  EncodeBlockPacket(header, std::string(7000, 'd'), packet);
  const BlockHeader back = DecodeBlockHeader(packet);
  EXPECT_EQ(back.userName, std::string(62, 'u'));
  EXPECT_EQ(back.minuteFolder, "123456");
  EXPECT_EQ(packet[block_field::kMinuteFolder + 6], 0);
  EXPECT_EQ(packet[6503], 'd');
}

TEST(BlockPacket, PortsAreWrittenWithoutByteSwap) {
  EXPECT_EQ(kBlockWirePort, 36115);
  EXPECT_EQ(kRecordWirePort, 36371);
  // The port field holds 0x8D 0x13: the little-endian bytes of 5005 read in network order.
  EXPECT_EQ(RawPortOnWire(5005) >> 8, 0x8D);
  EXPECT_EQ(RawPortOnWire(5005) & 0xFF, 0x13);
}

CImageInfo SampleRecord() {
  return CImageInfo("ann.lee", "2024-3-15\\\\30", "annlee2024315930451234.jpg", 7, 1710000000u, 1, 2, 42,
                    "\xC3\xE8\xCA\xF6", "sea", "title", "1024*768", 1);
}

TEST(ImageRecord, SerialisesFieldByFieldIntoEightHundredBytes) {
  ImageRecordBytes bytes;
  bytes.fill(0xCC);
  SampleRecord().ToWire(bytes);
  std::string expected = Zeros(4) + Field("ann.lee", 46) + Field("2024-3-15\\\\30", 32) +
                         Field("annlee2024315930451234.jpg", 262) + Le32(7) + Le32(1710000000u) + Le32(1) +
                         Le32(2) + Le32(42) + Field("\xC3\xE8\xCA\xF6", 101) + Field("sea", 101) +
                         Field("title", 198) + Field("1024*768", 32) + Le32(1);
  ASSERT_EQ(expected.size(), 800u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

TEST(ImageRecord, DecodesWhatItEncodes) {
  ImageRecordBytes bytes;
  const CImageInfo original = SampleRecord();
  original.ToWire(bytes);
  const CImageInfo back = CImageInfo::FromWire(bytes);
  EXPECT_STREQ(back.GetUserNameA(), "ann.lee");
  EXPECT_STREQ(back.GetStoreHead(), "2024-3-15\\\\30");
  EXPECT_STREQ(back.GetFileName(), original.GetFileName());
  EXPECT_EQ(back.GetImgArtID(), 7u);
  EXPECT_EQ(back.GetUploadDate(), 1710000000u);
  EXPECT_EQ(back.GetImgSourceID(), 1);
  EXPECT_EQ(back.GetUploadType(), 2);
  EXPECT_EQ(back.GetSpecialNum(), 42);
  EXPECT_STREQ(back.GetRemark(), "\xC3\xE8\xCA\xF6");
  EXPECT_STREQ(back.GetTag(), "sea");
  EXPECT_STREQ(back.GetTitle(), "title");
  EXPECT_STREQ(back.GetPix(), "1024*768");
  EXPECT_EQ(back.GetPK(), 1);
}

TEST(ImageRecord, JobTextsLongerThanTheRecordAreCutAtACharacterBoundary) {
  // A 256-byte title of the job record is wider than the record's 198-byte field.
  std::string title;
  for (int i = 0; i < 128; ++i) title += "\xCD\xBC";
  CImageInfo record;
  record.SetTitle(title.c_str());
  EXPECT_EQ(std::strlen(record.GetTitle()), 196u);  // 98 whole characters, then the zero
  record.SetRemark(std::string(300, 'r').c_str());
  EXPECT_EQ(std::strlen(record.GetRemark()), 100u);
  record.SetUserName(nullptr);
  EXPECT_STREQ(record.GetUserNameA(), "");

  CImageInfo copy = record;
  EXPECT_STREQ(copy.GetTitle(), record.GetTitle());
  ImageRecordBytes bytes;
  copy.ToWire(bytes);
  EXPECT_EQ(bytes[record_field::kTitle + 196], 0);
  EXPECT_EQ(bytes[record_field::kRemark + 100], 0);
}

}  // namespace
}  // namespace mb::upload
