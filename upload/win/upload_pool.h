// CZELUploadThreadsPool: the batch uploader's sending engine. One pool per upload run: the
// uploader creates it on the frame's thread, pushes one CZELFileQueue per picture and posts
// WM_START_UPLOAD to ThreadId(). The pool's thread then opens up to six connections, sends the
// pictures one after another with each picture's blocks spread over the connected workers, sends
// a CImageInfo record for each picture on the record connection, and reports to the window that
// CConfig holds as the engine message window (see upload_messages.h).
//
// A pool is ended with Stop() from the frame's thread, or by posting WM_QUIT to its thread: it
// then stops its workers (cooperatively, with a bounded wait) and deletes itself when its thread
// ends. After Stop() no report of the pool reaches the frame. The pointer must not be used after
// either.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "upload/core/file_queue.h"
#include "upload/core/upload_api.h"

class MB_UPLOAD_API CZELUploadThreadsPool {
 public:
  CZELUploadThreadsPool();
  CZELUploadThreadsPool(const CZELUploadThreadsPool&) = delete;
  CZELUploadThreadsPool& operator=(const CZELUploadThreadsPool&) = delete;

  // The pool takes ownership of the job; jobs pushed after the start are not sent.
  void Push(CZELFileQueue* job);
  // The first job, now the caller's; throws std::invalid_argument when there is none.
  CZELFileQueue* Pop();
  bool IsEmpty() const;
  void SetMsgWnd(HWND window);
  DWORD ThreadId() const;
  // Waits of the connections (connect attempt, each send and receive); before the start.
  void SetNetworkTimeouts(DWORD connectTimeoutMs, DWORD ioTimeoutMs);
  void Stop();

 protected:
  // Deleted by its own thread only.
  virtual ~CZELUploadThreadsPool();
  // The notice at the end of a run (a message box without owner); on the pool's thread.
  virtual void ShowNotice(const std::string& text, const std::string& title, UINT type);

 private:
  class Engine;
  friend class Engine;
  std::unique_ptr<Engine> engine_;
};
