// A TCP server that reads fixed-size packets on each connection and answers each with 4 bytes,
// unless its ServerBehaviour says otherwise. One thread accepts, one thread serves each connection.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tools/upload_standin/server_behaviour.h"

namespace mb::standin {

struct ServerCounters {
  std::uint64_t connections = 0;
  std::uint64_t packets = 0;   // whole packets that arrived
  std::uint64_t answered = 0;  // packets answered with all 4 bytes
};

class PacketServer {
 public:
  using PacketHandler = std::function<void(const unsigned char* packet)>;

  PacketServer(std::string host, std::uint16_t port, std::size_t packetSize, PacketHandler handler);
  ~PacketServer();
  PacketServer(const PacketServer&) = delete;
  PacketServer& operator=(const PacketServer&) = delete;

  // Starts listening; false with a reason when the port cannot be bound.
  bool Start(std::string& error);
  // Closes every connection and the listener.
  void Stop();

  ServerBehaviour& Behaviour() { return behaviour_; }
  // Applies the current behaviour's effect on the listener: closed while refusing, open otherwise
  // (again, after the connection limit closed it).
  bool ApplyListening(std::string& error);
  ServerCounters Counters() const;
  void ResetCounters();
  std::uint16_t Port() const { return port_; }

 private:
  struct Connection {
    int fd = -1;
    std::thread thread;
    std::atomic<bool> finished{false};
  };

  bool OpenListener(std::string& error);
  void CloseListener();
  void AcceptLoop(int listenFd);
  void Serve(Connection* connection);
  void ReapFinished();
  std::size_t OpenConnections() const;

  const std::string host_;
  std::uint16_t port_;
  const std::size_t packetSize_;
  const PacketHandler handler_;
  ServerBehaviour behaviour_;

  mutable std::mutex mutex_;  // guards everything below
  int listenFd_ = -1;
  bool listenerFull_ = false;  // the connection limit shut the listener
  std::thread acceptThread_;
  std::list<std::unique_ptr<Connection>> connections_;
  ServerCounters counters_;
  bool stopping_ = false;
};

}  // namespace mb::standin
