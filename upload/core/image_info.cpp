#include "upload/core/image_info.h"

#include <cstring>

#include "common/gbk_text.h"
#include "upload/core/block_packet.h"

using namespace mb::upload::record_field;
using mb::upload::GetUint32;
using mb::upload::PutUint32;

namespace {
void CopyText(char* field, std::size_t size, const char* text) {
  mb::CopyToField(field, size, text ? text : "");
}
}  // namespace

CImageInfo::CImageInfo()
    : imgArtId_(0), uploadDate_(0), imgSourceId_(0), uploadType_(0), specialNum_(0), pk_(0) {
  std::memset(userName_, 0, sizeof userName_);
  std::memset(storeHead_, 0, sizeof storeHead_);
  std::memset(fileName_, 0, sizeof fileName_);
  std::memset(remark_, 0, sizeof remark_);
  std::memset(tag_, 0, sizeof tag_);
  std::memset(title_, 0, sizeof title_);
  std::memset(pix_, 0, sizeof pix_);
}

CImageInfo::CImageInfo(const char* userName, const char* storeHead, const char* fileName,
                       std::uint32_t imgArtId, std::uint32_t uploadDate, int imgSourceId, int uploadType,
                       int specialNum, const char* remark, const char* tag, const char* title,
                       const char* pix, int pk)
    : CImageInfo() {
  SetUserName(userName);
  SetStoreHead(storeHead);
  SetFileName(fileName);
  imgArtId_ = imgArtId;
  uploadDate_ = uploadDate;
  imgSourceId_ = imgSourceId;
  uploadType_ = uploadType;
  specialNum_ = specialNum;
  SetRemark(remark);
  SetTag(tag);
  SetTitle(title);
  SetPix(pix);
  pk_ = pk;
}

CImageInfo::~CImageInfo() = default;

void CImageInfo::SetUserName(const char* text) { CopyText(userName_, sizeof userName_, text); }
void CImageInfo::SetStoreHead(const char* text) { CopyText(storeHead_, sizeof storeHead_, text); }
void CImageInfo::SetFileName(const char* text) { CopyText(fileName_, sizeof fileName_, text); }
void CImageInfo::SetRemark(const char* text) { CopyText(remark_, sizeof remark_, text); }
void CImageInfo::SetTag(const char* text) { CopyText(tag_, sizeof tag_, text); }
void CImageInfo::SetTitle(const char* text) { CopyText(title_, sizeof title_, text); }
void CImageInfo::SetPix(const char* text) { CopyText(pix_, sizeof pix_, text); }

void CImageInfo::ToWire(mb::upload::ImageRecordBytes& bytes) const {
  bytes.fill(0);
  auto text = [&bytes](std::size_t offset, const char* field, std::size_t size) {
    std::memcpy(bytes.data() + offset, field, size);
  };
  text(kUserName, userName_, kUserNameSize);
  text(kStoreHead, storeHead_, kStoreHeadSize);
  text(kFileName, fileName_, kFileNameSize);
  PutUint32(bytes.data() + kImgArtId, imgArtId_);
  PutUint32(bytes.data() + kUploadDate, uploadDate_);
  PutUint32(bytes.data() + kImgSourceId, static_cast<std::uint32_t>(imgSourceId_));
  PutUint32(bytes.data() + kUploadType, static_cast<std::uint32_t>(uploadType_));
  PutUint32(bytes.data() + kSpecialNum, static_cast<std::uint32_t>(specialNum_));
  text(kRemark, remark_, kRemarkSize);
  text(kTag, tag_, kTagSize);
  text(kTitle, title_, kTitleSize);
  text(kPix, pix_, kPixSize);
  PutUint32(bytes.data() + kPk, static_cast<std::uint32_t>(pk_));
}

CImageInfo CImageInfo::FromWire(const mb::upload::ImageRecordBytes& bytes) {
  auto text = [&bytes](std::size_t offset, std::size_t size) {
    return mb::ReadField(reinterpret_cast<const char*>(bytes.data() + offset), size);
  };
  auto number = [&bytes](std::size_t offset) { return GetUint32(bytes.data() + offset); };
  return CImageInfo(text(kUserName, kUserNameSize).c_str(), text(kStoreHead, kStoreHeadSize).c_str(),
                    text(kFileName, kFileNameSize).c_str(), number(kImgArtId), number(kUploadDate),
                    static_cast<int>(number(kImgSourceId)), static_cast<int>(number(kUploadType)),
                    static_cast<int>(number(kSpecialNum)), text(kRemark, kRemarkSize).c_str(),
                    text(kTag, kTagSize).c_str(), text(kTitle, kTitleSize).c_str(),
                    text(kPix, kPixSize).c_str(), static_cast<int>(number(kPk)));
}
