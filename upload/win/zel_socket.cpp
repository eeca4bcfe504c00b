#include "upload/win/zel_socket.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

#include "upload/core/block_packet.h"

#ifndef MB_UPLOAD_HOST
#error "MB_UPLOAD_HOST (the upload server's dotted address) comes from the build"
#endif

namespace {

constexpr DWORD kWaitSliceMs = 50;  // how often a connect or a pause looks for an abort
constexpr DWORD kPauseBetweenTriesMs = 100;

DWORD Remaining(DWORD deadline) {
  const LONG left = static_cast<LONG>(deadline - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

bool WouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK; }

}  // namespace

CZELSocket::CZELSocket() : CZELSocket(mb::upload::kBlockPort) {}

CZELSocket::CZELSocket(int port) {
  libraryStarted_ = InitSocket();
  std::memset(&address_, 0, sizeof address_);
  address_.sin_family = AF_INET;
  SetPort(port);
  address_.sin_addr.s_addr = inet_addr(MB_UPLOAD_HOST);
}

CZELSocket::CZELSocket(SOCKET handle) {
  libraryStarted_ = InitSocket();
  std::memset(&address_, 0, sizeof address_);
  handle_ = handle;
}

CZELSocket::CZELSocket(const CZELSocket& other)
    : address_(other.address_), connectTimeoutMs_(other.connectTimeoutMs_), ioTimeoutMs_(other.ioTimeoutMs_) {
  libraryStarted_ = InitSocket();
}

CZELSocket& CZELSocket::operator=(const CZELSocket& other) {
  if (this != &other) {
    CloseHandle();
    address_ = other.address_;
    connectTimeoutMs_ = other.connectTimeoutMs_;
    ioTimeoutMs_ = other.ioTimeoutMs_;
  }
  return *this;
}

CZELSocket::~CZELSocket() {
  CloseHandle();
  if (libraryStarted_) WSACleanup();
}

bool CZELSocket::InitSocket() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void CZELSocket::SetPort(int port) {
  // Deliberately without htons: the servers listen on the byte-swapped numbers.
  address_.sin_port = static_cast<u_short>(port);
}

void CZELSocket::SetTimeouts(DWORD connectTimeoutMs, DWORD ioTimeoutMs) {
  connectTimeoutMs_ = connectTimeoutMs;
  ioTimeoutMs_ = ioTimeoutMs;
}

void CZELSocket::Abort() {
  std::lock_guard<std::mutex> lock(handleMutex_);
  aborted_ = true;
  // Ends a blocked send or receive of the owner at once; the owner still closes the handle.
  if (handle_ != INVALID_SOCKET) shutdown(handle_, SD_BOTH);
}

void CZELSocket::CloseHandle() {
  std::lock_guard<std::mutex> lock(handleMutex_);
  if (handle_ != INVALID_SOCKET) closesocket(handle_);
  handle_ = INVALID_SOCKET;
  timedCalls_ = false;
}

bool CZELSocket::CleanSocket() {
  CloseHandle();
  if (!libraryStarted_) return true;
  libraryStarted_ = false;
  return WSACleanup() == 0;
}

bool CZELSocket::Socket(int family, int type, int protocol) {
  CloseHandle();
  std::lock_guard<std::mutex> lock(handleMutex_);
  if (aborted_) return false;  // no new socket that an abort could no longer reach
  handle_ = socket(family, type, protocol);
  return handle_ != INVALID_SOCKET;
}

bool CZELSocket::Bind() {
  return Socket(AF_INET, SOCK_STREAM, 0) &&
         bind(handle_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0;
}

int CZELSocket::Listen(int backlog) {
  if (!Bind()) {
    CloseHandle();
    return -1;
  }
  return listen(handle_, backlog);
}

SOCKET CZELSocket::Accept(sockaddr* address, int* length) { return accept(handle_, address, length); }

bool CZELSocket::SleepUnlessAborted(DWORD milliseconds) const {
  const DWORD deadline = GetTickCount() + milliseconds;
  for (DWORD left; (left = Remaining(deadline)) > 0;) {
    if (Aborted()) return false;
    Sleep(std::min(left, kWaitSliceMs));
  }
  return !Aborted();
}

bool CZELSocket::WaitReady(SOCKET s, bool forWriting, DWORD deadline) const {
  for (;;) {
    if (Aborted()) return false;
    const DWORD slice = std::min(Remaining(deadline), kWaitSliceMs);
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval timeout = {0, static_cast<long>(slice * 1000)};
    const int n = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &timeout);
    if (n == SOCKET_ERROR) return false;
    if (n > 0) return !(forWriting && FD_ISSET(s, &failed));  // a failed read shows in recv itself
    if (slice == 0) return false;
  }
}

void CZELSocket::UseBlockingCallsWithTimeouts() {
  u_long nonBlocking = 0;
  ioctlsocket(handle_, FIONBIO, &nonBlocking);
  const DWORD timeout = ioTimeoutMs_;
  setsockopt(handle_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  setsockopt(handle_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  // Each packet is sent whole and then answered: no reason to hold back a segment.
  const BOOL noDelay = TRUE;
  setsockopt(handle_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  timedCalls_ = true;
}

CZELSocket::Attempt CZELSocket::ConnectOnce() {
  if (!Socket(AF_INET, SOCK_STREAM, 0)) return Attempt::kNoSocket;
  // Connected without blocking, so that the attempt has its own time-out and can be aborted.
  u_long nonBlocking = 1;
  ioctlsocket(handle_, FIONBIO, &nonBlocking);
  bool connected = connect(handle_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0;
  if (!connected && WouldBlock()) {
    const DWORD deadline = GetTickCount() + connectTimeoutMs_;
    while (!Aborted()) {
      const DWORD slice = std::min(Remaining(deadline), kWaitSliceMs);
      fd_set writable, failed;
      FD_ZERO(&writable);
      FD_ZERO(&failed);
      FD_SET(handle_, &writable);
      FD_SET(handle_, &failed);
      timeval timeout = {0, static_cast<long>(slice * 1000)};
      const int n = select(0, nullptr, &writable, &failed, &timeout);
      if (n == SOCKET_ERROR || FD_ISSET(handle_, &failed)) break;  // refused
      if (FD_ISSET(handle_, &writable)) {
        int error = 0;
        int size = sizeof error;
        getsockopt(handle_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
        connected = error == 0;
        break;
      }
      if (slice == 0) break;
    }
  }
  if (connected && !Aborted()) {
    UseBlockingCallsWithTimeouts();
    return Attempt::kConnected;
  }
  CloseHandle();
  return Attempt::kFailed;
}

int CZELSocket::Connect(int tries) {
  CloseHandle();
  if (tries < 1) return -1;
  for (int tried = 0; tried < tries; ++tried) {
    const Attempt attempt = ConnectOnce();
    if (attempt == Attempt::kConnected) return 0;
    if (attempt == Attempt::kNoSocket || !SleepUnlessAborted(kPauseBetweenTriesMs)) return -1;
  }
  return -1;
}

int CZELSocket::Send(const char* data, int length, SOCKET s, int flags) {
  return Transfer(true, const_cast<char*>(data), length, s, flags);
}

int CZELSocket::Recv(char* data, int length, SOCKET s, int flags) {
  return Transfer(false, data, length, s, flags);
}

int CZELSocket::Transfer(bool sending, char* data, int length, SOCKET s, int flags) {
  if (length < 1) return 0;
  const SOCKET target = s ? s : handle_;
  if (target == INVALID_SOCKET) return -1;
  // The own connection blocks with the I/O time-out; any other socket is waited on first.
  const bool timed = target == handle_ && timedCalls_;
  const DWORD deadline = GetTickCount() + ioTimeoutMs_;
  for (int done = 0; done < length;) {
    if (Aborted()) return -1;
    if (!timed && !WaitReady(target, sending, deadline)) return -1;
    const int n = sending ? send(target, data + done, length - done, flags)
                          : recv(target, data + done, length - done, flags);
    if (n > 0) {
      done += n;
    } else if (n == 0 || timed || !WouldBlock()) {
      return -1;  // closed by the peer, timed out, aborted, or an error
    }
  }
  return length;
}
