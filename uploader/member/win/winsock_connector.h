// The uploader's HTTP connections over Windows Sockets 1.1: one socket per request, every wait
// bounded by a time-out, the socket closed and Winsock released when the connection goes.
#pragma once

#include <memory>
#include <string>

#include "uploader/member/core/http_exchange.h"

namespace mb::uploader {

class WinsockConnector : public HttpConnector {
 public:
  static constexpr unsigned kDefaultTimeoutMs = 10000;
  explicit WinsockConnector(unsigned timeoutMs = kDefaultTimeoutMs) : timeoutMs_(timeoutMs) {}
  std::unique_ptr<HttpConnection> Connect(const std::string& host, int port) override;

 private:
  unsigned timeoutMs_;
};

}  // namespace mb::uploader
