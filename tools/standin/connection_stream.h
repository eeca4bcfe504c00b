// One client connection of the stand-in service as the HTTP library's stream. The service reads
// and answers one request per connection; a request can abandon its connection, which is then
// reset without a reply (the "refuse" fault).
#pragma once

#include <httplib.h>

#include <string>

namespace standin {

class ConnectionStream final : public httplib::Stream {
 public:
  ConnectionStream(int sock, int readTimeoutMs, int writeTimeoutMs);

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return sock_; }

  // Nothing more is written; the connection is to be reset when the request ends.
  void Abandon() { abandoned_ = true; }
  bool abandoned() const { return abandoned_; }

  // The request line and header lines as they arrived, up to and including the empty line.
  const std::string& RawHead() const { return rawHead_; }

  // The connection whose request the calling thread is handling, or null.
  static ConnectionStream* Current();

  // Makes this the calling thread's current connection for the scope's lifetime.
  class Scope {
   public:
    explicit Scope(ConnectionStream& stream);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
  };

 private:
  bool WaitFor(short events, int timeoutMs) const;
  void KeepHeadBytes(const char* bytes, size_t count);

  // The library reads request lines a byte at a time; received bytes wait here.
  char buffer_[4096];
  size_t bufferStart_ = 0;
  size_t bufferEnd_ = 0;
  int sock_;
  int readTimeoutMs_;
  int writeTimeoutMs_;
  bool abandoned_ = false;
  std::string rawHead_;
  bool headComplete_ = false;
};

// Closes a connection: an abandoned one with a reset, any other with an orderly shutdown.
void CloseConnection(int sock, bool reset);

}  // namespace standin
