#include "tools/upload_standin/packet_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace mb::standin {

namespace {
bool ReadExactly(int fd, unsigned char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::recv(fd, data + done, size - done, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::send(fd, data + done, size - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}
}  // namespace

PacketServer::PacketServer(std::string host, std::uint16_t port, std::size_t packetSize, PacketHandler handler)
    : host_(std::move(host)), port_(port), packetSize_(packetSize), handler_(std::move(handler)) {}

PacketServer::~PacketServer() { Stop(); }

bool PacketServer::Start(std::string& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  stopping_ = false;
  return OpenListener(error);
}

bool PacketServer::OpenListener(std::string& error) {
  if (listenFd_ >= 0 && !listenerFull_) return true;
  CloseListener();
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port_);
  if (::inet_pton(AF_INET, host_.c_str(), &address.sin_addr) != 1) {
    ::close(fd);
    error = "bad address " + host_;
    return false;
  }
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0) {
    error = "port " + std::to_string(port_) + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);  // a port of 0 asked for any free one
  listenFd_ = fd;
  acceptThread_ = std::thread(&PacketServer::AcceptLoop, this, fd);
  return true;
}

void PacketServer::CloseListener() {
  // Called with the mutex held; the accept thread never takes it while blocked in accept().
  if (listenFd_ < 0) return;
  ::shutdown(listenFd_, SHUT_RDWR);
  std::thread accepting = std::move(acceptThread_);
  const int fd = listenFd_;
  listenFd_ = -1;
  mutex_.unlock();
  accepting.join();
  mutex_.lock();
  ::close(fd);
  listenerFull_ = false;
}

bool PacketServer::ApplyListening(std::string& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (stopping_) return false;
  if (behaviour_.Current() == Behaviour::Refuse) {
    CloseListener();
    return true;
  }
  return OpenListener(error);
}

void PacketServer::Stop() {
  std::list<std::unique_ptr<Connection>> connections;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    CloseListener();
    for (auto& connection : connections_) ::shutdown(connection->fd, SHUT_RDWR);
    connections.swap(connections_);
  }
  for (auto& connection : connections) {
    connection->thread.join();
    ::close(connection->fd);
  }
}

void PacketServer::AcceptLoop(int listenFd) {
  for (;;) {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // the listener was shut down
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) {
      ::close(fd);
      return;
    }
    ReapFinished();
    ++counters_.connections;
    auto connection = std::make_unique<Connection>();
    connection->fd = fd;
    Connection* raw = connection.get();
    connections_.push_back(std::move(connection));
    raw->thread = std::thread(&PacketServer::Serve, this, raw);
    const std::uint32_t limit = behaviour_.ConnectionLimit();
    if (limit != 0 && OpenConnections() >= limit) {
      // Further connections are refused until the limit is lifted (ApplyListening opens anew).
      listenerFull_ = true;
      ::shutdown(listenFd, SHUT_RDWR);
      return;
    }
  }
}

void PacketServer::ReapFinished() {
  for (auto it = connections_.begin(); it != connections_.end();) {
    if ((*it)->finished) {
      (*it)->thread.join();
      ::close((*it)->fd);
      it = connections_.erase(it);
    } else {
      ++it;
    }
  }
}

std::size_t PacketServer::OpenConnections() const {
  std::size_t open = 0;
  for (const auto& connection : connections_) open += !connection->finished;
  return open;
}

void PacketServer::Serve(Connection* connection) {
  std::vector<unsigned char> packet(packetSize_);
  static const unsigned char kReply[4] = {1, 0, 0, 0};
  bool open = true;
  while (open && ReadExactly(connection->fd, packet.data(), packet.size())) {
    // A late answer leaves this long after the packet came, whatever storing it took.
    const auto answerTime = std::chrono::steady_clock::now() + std::chrono::milliseconds(behaviour_.ReplyDelay());
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++counters_.packets;
    }
    switch (behaviour_.NextPacket()) {
      case ServerBehaviour::Action::Answer:
        handler_(packet.data());
        std::this_thread::sleep_until(answerTime);
        open = WriteAll(connection->fd, kReply, sizeof kReply);
        if (open) {
          std::lock_guard<std::mutex> lock(mutex_);
          ++counters_.answered;
        }
        break;
      case ServerBehaviour::Action::Stall:
        break;  // read on, answer nothing
      case ServerBehaviour::Action::Drop:
        open = false;
        break;
      case ServerBehaviour::Action::Short:
        WriteAll(connection->fd, kReply, 2);
        open = false;
        break;
    }
  }
  // The peer learns at once that the connection is gone; the descriptor is closed when reaped.
  ::shutdown(connection->fd, SHUT_RDWR);
  connection->finished = true;
}

ServerCounters PacketServer::Counters() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return counters_;
}

void PacketServer::ResetCounters() {
  std::lock_guard<std::mutex> lock(mutex_);
  counters_ = {};
}

}  // namespace mb::standin
