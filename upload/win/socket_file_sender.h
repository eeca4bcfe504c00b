// SocketFileSender: the wallpaper client's upload of one picture over one connection, in block
// packets of 6,144 file bytes each (the last one zero-filled), every packet answered by 4 bytes.
#pragma once

#include "upload/core/upload_api.h"

// What the sender needs of the upload page: its message boxes and its progress bar.
class UploadPageSink {
 public:
  // A message box owned by the page (error icon, the system's title).
  virtual void ShowUploadError(const char* text) = 0;
  virtual void SetUploadProgress(unsigned percent) = 0;
  // Asked before every block and before every new try of one: true ends the sending at once,
  // with result 0 and no message.
  virtual bool StopRequested() { return false; }

 protected:
  ~UploadPageSink() = default;
};

// Sends the file at path; 1 when every block was acknowledged (an empty file sends nothing),
// 0 after a reported failure: the file cannot be examined or opened, the server cannot be reached,
// or a block stays unacknowledged after three tries; 0 without a message when the page asked to
// stop.
MB_UPLOAD_API int SocketFileSender(const char* path, const char* dateFolder, const char* minuteFolder,
                                   const char* remoteName, const char* userName, UploadPageSink* page);
