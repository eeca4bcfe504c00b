// CZELSocket: a TCP client socket with a fixed server address. The port is written into the
// address as a plain 16-bit number without byte-order conversion, so 5005 and 5006 reach the wire
// as 36115 and 36371.
//
// Every connect attempt uses a fresh socket (after a refused connect a socket cannot be connected
// again). Connects, sends and receives give up after their time-outs, and at once after Abort, so
// a silent server cannot hang the caller.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>

#include "upload/core/upload_api.h"

class MB_UPLOAD_API CZELSocket {
 public:
  static constexpr DWORD kDefaultConnectTimeoutMs = 5000;
  static constexpr DWORD kDefaultIoTimeoutMs = 15000;

  CZELSocket();
  explicit CZELSocket(int port);
  // Takes ownership of an existing socket handle.
  explicit CZELSocket(SOCKET handle);
  // A copy gets the address and the time-outs; it has no connection of its own, so no handle is
  // ever closed twice.
  CZELSocket(const CZELSocket& other);
  CZELSocket& operator=(const CZELSocket& other);
  virtual ~CZELSocket();

  void SetPort(int port);
  // Up to tries attempts, 100 ms apart (also after the last); 0 when connected, else -1.
  int Connect(int tries);
  // Sends or receives exactly length bytes on s, or on the own handle when s is 0. Returns length
  // (0 when length < 1), or -1 on an error, a closed peer, the time-out or an abort.
  int Send(const char* data, int length, SOCKET s = 0, int flags = 0);
  int Recv(char* data, int length, SOCKET s = 0, int flags = 0);
  // Closes the handle and ends this object's use of the socket library.
  bool CleanSocket();
  int Listen(int backlog);
  SOCKET Accept(sockaddr* address, int* length);

  // Before Connect: the waits of each connect attempt and of each send and receive.
  void SetTimeouts(DWORD connectTimeoutMs, DWORD ioTimeoutMs);
  // From any thread: the wait in progress ends at once with a failure, and so does every later
  // one. For a thread that stops the socket's owner.
  void Abort();
  SOCKET Handle() const { return handle_; }
  const sockaddr_in& Address() const { return address_; }

 private:
  bool InitSocket();
  bool Socket(int family, int type, int protocol);
  bool Bind();
  void CloseHandle();
  bool Aborted() const { return aborted_.load(); }
  // Waits until s is ready for writing (or reading) or the deadline passes; false on time-out,
  // abort or error.
  bool WaitReady(SOCKET s, bool forWriting, DWORD deadline) const;
  // Sends or receives exactly length bytes (send-all / receive-all); -1 on any failure.
  int Transfer(bool sending, char* data, int length, SOCKET s, int flags);
  // One attempt on a fresh socket. kNoSocket: the socket itself could not be made, so no
  // further attempt can do better.
  enum class Attempt { kConnected, kFailed, kNoSocket };
  Attempt ConnectOnce();
  // After a connect: blocking calls bounded by the I/O time-out.
  void UseBlockingCallsWithTimeouts();
  bool SleepUnlessAborted(DWORD milliseconds) const;

  sockaddr_in address_;
  SOCKET handle_ = INVALID_SOCKET;  // changed by the owner under handleMutex_, read by Abort
  bool libraryStarted_ = false;
  bool timedCalls_ = false;  // the own handle was connected here and has the I/O time-outs
  DWORD connectTimeoutMs_ = kDefaultConnectTimeoutMs;
  DWORD ioTimeoutMs_ = kDefaultIoTimeoutMs;
  std::mutex handleMutex_;
  std::atomic<bool> aborted_{false};
};
