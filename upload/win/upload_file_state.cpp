#include "upload/win/upload_file_state.h"

#include "upload/core/block_packet.h"
#include "upload/core/remote_name.h"

namespace mb::upload {

PictureIdentity UploadFileState::RemoteNameBuilder(const std::string& path, const std::string& userName) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  UploadStamp stamp;
  stamp.year = now.wYear;
  stamp.month = now.wMonth;
  stamp.day = now.wDay;
  stamp.hour = now.wHour;
  stamp.minute = now.wMinute;
  stamp.second = now.wSecond;
  stamp.tick = ticks_.Next(GetTickCount());

  PictureIdentity picture;
  picture.path = path;
  picture.extension = FileExtension(path);
  picture.dateFolder = DateFolder(stamp);
  picture.minuteFolder = MinuteFolder(stamp);
  picture.remoteName = RemoteFileName(userName, stamp, picture.extension);
  return picture;
}

bool UploadFileState::SendImageRecord(const CImageInfo& record) {
  ImageRecordBytes bytes;
  record.ToWire(bytes);
  const char* data = reinterpret_cast<const char*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  // The connection is made lazily: the first send of a run fails and connects.
  for (int tries = 0; tries < kRecordTries; ++tries) {
    char reply[kReplySize];
    if (recordSocket_.Send(data, size) == size && recordSocket_.Recv(reply, sizeof reply) == sizeof reply) {
      return true;
    }
    recordSocket_.Connect(3);
  }
  return false;
}

}  // namespace mb::upload
