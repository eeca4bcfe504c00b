#include "tools/standin/connection_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace standin {
namespace {

thread_local ConnectionStream* tCurrent = nullptr;

void AddressText(const sockaddr_storage& addr, std::string& ip, int& port) {
  char text[INET6_ADDRSTRLEN] = {};
  if (addr.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(addr);
    inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
    port = ntohs(v4.sin_port);
  } else if (addr.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(addr);
    inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    port = ntohs(v6.sin6_port);
  }
  ip = text;
}

}  // namespace

ConnectionStream::ConnectionStream(int sock, int readTimeoutMs, int writeTimeoutMs)
    : sock_(sock), readTimeoutMs_(readTimeoutMs), writeTimeoutMs_(writeTimeoutMs) {}

bool ConnectionStream::WaitFor(short events, int timeoutMs) const {
  pollfd pfd{sock_, events, 0};
  int rc;
  do {
    rc = poll(&pfd, 1, timeoutMs);
  } while (rc < 0 && errno == EINTR);
  return rc > 0 && (pfd.revents & (events | POLLHUP | POLLERR));
}

bool ConnectionStream::is_readable() const {
  return bufferStart_ < bufferEnd_ || WaitFor(POLLIN, readTimeoutMs_);
}

bool ConnectionStream::is_writable() const {
  return !abandoned_ && WaitFor(POLLOUT, writeTimeoutMs_);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
  if (bufferStart_ == bufferEnd_) {
    if (!WaitFor(POLLIN, readTimeoutMs_)) return -1;
    ssize_t n;
    do {
      n = recv(sock_, buffer_, sizeof buffer_, 0);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return n;
    bufferStart_ = 0;
    bufferEnd_ = static_cast<size_t>(n);
  }
  const size_t count = std::min(size, bufferEnd_ - bufferStart_);
  std::memcpy(ptr, buffer_ + bufferStart_, count);
  bufferStart_ += count;
  KeepHeadBytes(ptr, count);
  return static_cast<ssize_t>(count);
}

void ConnectionStream::KeepHeadBytes(const char* bytes, size_t count) {
  for (size_t i = 0; i < count && !headComplete_; ++i) {
    rawHead_.push_back(bytes[i]);
    const size_t size = rawHead_.size();
    headComplete_ = (size >= 4 && rawHead_.compare(size - 4, 4, "\r\n\r\n") == 0) ||
                    (size >= 2 && rawHead_.compare(size - 2, 2, "\n\n") == 0);
  }
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
  if (abandoned_) return -1;
  size_t sent = 0;
  while (sent < size) {
    if (!WaitFor(POLLOUT, writeTimeoutMs_)) return -1;
    ssize_t n = send(sock_, ptr + sent, size - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return -1;
    sent += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(sent);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  sockaddr_storage addr{};
  socklen_t length = sizeof addr;
  ip.clear();
  port = 0;
  if (getpeername(sock_, reinterpret_cast<sockaddr*>(&addr), &length) == 0) AddressText(addr, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
  sockaddr_storage addr{};
  socklen_t length = sizeof addr;
  ip.clear();
  port = 0;
  if (getsockname(sock_, reinterpret_cast<sockaddr*>(&addr), &length) == 0) AddressText(addr, ip, port);
}

ConnectionStream* ConnectionStream::Current() { return tCurrent; }

ConnectionStream::Scope::Scope(ConnectionStream& stream) { tCurrent = &stream; }
ConnectionStream::Scope::~Scope() { tCurrent = nullptr; }

void CloseConnection(int sock, bool reset) {
  if (reset) {
    // A zero linger time makes close() send a reset instead of an orderly end.
    linger abort{1, 0};
    setsockopt(sock, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  } else {
    shutdown(sock, SHUT_RDWR);
  }
  close(sock);
}

}  // namespace standin
