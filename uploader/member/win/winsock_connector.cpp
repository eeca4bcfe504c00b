#include "uploader/member/win/winsock_connector.h"

#include <winsock2.h>
#include <windows.h>

namespace mb::uploader {
namespace {

// Winsock started for as long as the object lives.
class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

timeval TimeoutValue(unsigned milliseconds) {
  timeval value;
  value.tv_sec = static_cast<long>(milliseconds / 1000);
  value.tv_usec = static_cast<long>(milliseconds % 1000) * 1000;
  return value;
}

// Waits until the socket can be read (or written); false on a time-out or failure.
bool WaitFor(SOCKET socket, bool forWriting, unsigned timeoutMs) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(socket, &ready);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(socket, &failed);
  timeval timeout = TimeoutValue(timeoutMs);
  const int count = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &timeout);
  return count > 0 && FD_ISSET(socket, &ready) && !FD_ISSET(socket, &failed);
}

// A connected socket, or INVALID_SOCKET when connecting failed or timed out (timedOut tells).
SOCKET ConnectSocket(const sockaddr_in& address, unsigned timeoutMs, bool& timedOut) {
  timedOut = false;
  SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) return socket;
  u_long nonBlocking = 1;
  ioctlsocket(socket, FIONBIO, &nonBlocking);
  bool connected = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (!connected && WSAGetLastError() == WSAEWOULDBLOCK) {
    const DWORD started = GetTickCount();
    connected = WaitFor(socket, true, timeoutMs);
    timedOut = !connected && GetTickCount() - started >= timeoutMs;
  }
  u_long blocking = 0;
  ioctlsocket(socket, FIONBIO, &blocking);
  if (!connected) {
    closesocket(socket);
    return INVALID_SOCKET;
  }
  return socket;
}

class WinsockConnection : public HttpConnection {
 public:
  WinsockConnection(std::unique_ptr<WinsockSession> session, SOCKET socket, unsigned timeoutMs)
      : session_(std::move(session)), socket_(socket), timeoutMs_(timeoutMs) {}
  ~WinsockConnection() override { closesocket(socket_); }

  bool Send(std::string_view bytes) override {
    while (!bytes.empty()) {
      if (!WaitFor(socket_, true, timeoutMs_)) return false;
      const int sent = ::send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
  }

  int Receive(char* buffer, int size) override {
    if (!WaitFor(socket_, false, timeoutMs_)) return -1;
    const int got = ::recv(socket_, buffer, size, 0);
    return got < 0 ? -1 : got;
  }

 private:
  std::unique_ptr<WinsockSession> session_;  // released after the socket is closed
  SOCKET socket_;
  unsigned timeoutMs_;
};

}  // namespace

std::unique_ptr<HttpConnection> WinsockConnector::Connect(const std::string& host, int port) {
  auto session = std::make_unique<WinsockSession>();
  if (!session->Started()) return nullptr;
  const hostent* found = gethostbyname(host.c_str());
  if (!found || found->h_addrtype != AF_INET || !found->h_addr_list[0]) return nullptr;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  memcpy(&address.sin_addr, found->h_addr_list[0], sizeof address.sin_addr);
  // A refused connection is tried once more on a fresh socket; one that timed out is not.
  bool timedOut = false;
  SOCKET socket = ConnectSocket(address, timeoutMs_, timedOut);
  if (socket == INVALID_SOCKET && !timedOut) socket = ConnectSocket(address, timeoutMs_, timedOut);
  if (socket == INVALID_SOCKET) return nullptr;
  return std::make_unique<WinsockConnection>(std::move(session), socket, timeoutMs_);
}

}  // namespace mb::uploader
