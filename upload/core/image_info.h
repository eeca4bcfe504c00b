// CImageInfo: the record of one uploaded picture, sent to the upload server's record port after
// the picture's blocks. The record is a wire format of 800 bytes; it is written field by field
// into zeroed bytes (ToWire), never as the object's memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "upload/core/upload_api.h"

namespace mb::upload {
inline constexpr std::size_t kImageRecordSize = 800;
using ImageRecordBytes = std::array<unsigned char, kImageRecordSize>;

namespace record_field {
inline constexpr std::size_t kHeader = 0;  // meaningless to the receiver; sent as zeros
inline constexpr std::size_t kUserName = 4, kUserNameSize = 46;
inline constexpr std::size_t kStoreHead = 50, kStoreHeadSize = 32;
inline constexpr std::size_t kFileName = 82, kFileNameSize = 262;
inline constexpr std::size_t kImgArtId = 344;
inline constexpr std::size_t kUploadDate = 348;
inline constexpr std::size_t kImgSourceId = 352;
inline constexpr std::size_t kUploadType = 356;
inline constexpr std::size_t kSpecialNum = 360;
inline constexpr std::size_t kRemark = 364, kRemarkSize = 101;
inline constexpr std::size_t kTag = 465, kTagSize = 101;
inline constexpr std::size_t kTitle = 566, kTitleSize = 198;
inline constexpr std::size_t kPix = 764, kPixSize = 32;
inline constexpr std::size_t kPk = 796;
}  // namespace record_field
}  // namespace mb::upload

class MB_UPLOAD_API CImageInfo {
 public:
  // Every field empty or 0.
  CImageInfo();
  // Texts longer than their field are cut at a character boundary, so no field overruns.
  CImageInfo(const char* userName, const char* storeHead, const char* fileName, std::uint32_t imgArtId,
             std::uint32_t uploadDate, int imgSourceId, int uploadType, int specialNum, const char* remark,
             const char* tag, const char* title, const char* pix, int pk);
  CImageInfo(const CImageInfo&) = default;
  CImageInfo& operator=(const CImageInfo&) = default;
  virtual ~CImageInfo();

  const char* GetUserNameA() const { return userName_; }
  void SetUserName(const char* text);
  const char* GetStoreHead() const { return storeHead_; }
  void SetStoreHead(const char* text);
  const char* GetFileName() const { return fileName_; }
  void SetFileName(const char* text);
  std::uint32_t GetImgArtID() const { return imgArtId_; }
  void SetImgArtID(std::uint32_t value) { imgArtId_ = value; }
  std::uint32_t GetUploadDate() const { return uploadDate_; }
  void SetUploadDate(std::uint32_t value) { uploadDate_ = value; }
  int GetImgSourceID() const { return imgSourceId_; }
  void SetImgSourceID(int value) { imgSourceId_ = value; }
  int GetUploadType() const { return uploadType_; }
  void SetUploadType(int value) { uploadType_ = value; }
  int GetSpecialNum() const { return specialNum_; }
  void SetSpecialNum(int value) { specialNum_ = value; }
  const char* GetRemark() const { return remark_; }
  void SetRemark(const char* text);
  const char* GetTag() const { return tag_; }
  void SetTag(const char* text);
  const char* GetTitle() const { return title_; }
  void SetTitle(const char* text);
  const char* GetPix() const { return pix_; }
  void SetPix(const char* text);
  int GetPK() const { return pk_; }
  void SetPK(int value) { pk_ = value; }

  void ToWire(mb::upload::ImageRecordBytes& bytes) const;
  static CImageInfo FromWire(const mb::upload::ImageRecordBytes& bytes);

 private:
  char userName_[mb::upload::record_field::kUserNameSize];
  char storeHead_[mb::upload::record_field::kStoreHeadSize];
  char fileName_[mb::upload::record_field::kFileNameSize];
  std::uint32_t imgArtId_;
  std::uint32_t uploadDate_;
  int imgSourceId_;
  int uploadType_;
  int specialNum_;
  char remark_[mb::upload::record_field::kRemarkSize];
  char tag_[mb::upload::record_field::kTagSize];
  char title_[mb::upload::record_field::kTitleSize];
  char pix_[mb::upload::record_field::kPixSize];
  int pk_;
};
