#include "tests/winkit/standin_client.h"

#include <winsock2.h>

#include <cstdlib>
#include <fstream>

#include "common/gbk_text.h"

namespace winkit {
namespace {

constexpr DWORD kTimeoutMs = 10000;
constexpr int kConnectTries = 3;

class WinsockUse {
 public:
  WinsockUse() : ok_(WSAStartup(MAKEWORD(2, 2), &data_) == 0) {}
  ~WinsockUse() {
    if (ok_) WSACleanup();
  }
  WinsockUse(const WinsockUse&) = delete;
  WinsockUse& operator=(const WinsockUse&) = delete;
  bool Ok() const { return ok_; }

 private:
  WSADATA data_ = {};
  bool ok_;
};

class Socket {
 public:
  Socket() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET Get() const { return socket_; }

 private:
  SOCKET socket_;
};

bool SendAll(SOCKET socket, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    int n = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads until the service closes the connection; false on a time-out or a reset.
bool ReceiveAll(SOCKET socket, std::string& bytes) {
  char buffer[4096];
  for (;;) {
    int n = recv(socket, buffer, sizeof buffer, 0);
    if (n == 0) return true;
    if (n < 0) return false;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

StandinReply ParseReply(const std::string& bytes) {
  StandinReply reply;
  const std::size_t headEnd = bytes.find("\r\n\r\n");
  if (bytes.compare(0, 5, "HTTP/") != 0 || headEnd == std::string::npos) return reply;
  const std::size_t space = bytes.find(' ');
  if (space == std::string::npos || space > headEnd) return reply;
  reply.status = std::atoi(bytes.c_str() + space + 1);
  reply.body = bytes.substr(headEnd + 4);
  return reply;
}

std::string RequestText(const std::string& method, const std::string& target, const std::string& body) {
  const std::string host = std::string(MB_SERVICE_HOST) + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
  std::string request = method + " " + target + " HTTP/1.0\r\nHost: " + host + "\r\n";
  if (method == "POST" || !body.empty()) request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  return request + "Connection: close\r\n\r\n" + body;
}

}  // namespace

StandinReply SendToStandin(const std::string& method, const std::string& target, const std::string& body) {
  WinsockUse winsock;
  if (!winsock.Ok()) return {};
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(MB_SERVICE_HTTP_PORT);
  address.sin_addr.s_addr = inet_addr(MB_SERVICE_HOST);
  // A socket whose connect was refused cannot connect again: each try takes a fresh one.
  for (int attempt = 0; attempt < kConnectTries; ++attempt) {
    if (attempt > 0) Sleep(200);
    Socket socket;
    if (socket.Get() == INVALID_SOCKET) continue;
    const DWORD timeout = kTimeoutMs;
    setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(socket.Get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) continue;
    std::string answer;
    if (!SendAll(socket.Get(), RequestText(method, target, body)) || !ReceiveAll(socket.Get(), answer)) {
      return {};
    }
    return ParseReply(answer);
  }
  return {};
}

StandinReply SendStandinControl(const std::string& commands) {
  return SendToStandin("POST", "/__control", commands);
}

std::string StandinLogPath() { return MB_STANDIN_LOG; }

std::vector<StandinRequest> ReadStandinLog(const std::string& logPath) {
  std::vector<StandinRequest> records;
  std::ifstream log(logPath, std::ios::binary);
  std::string line;
  // A line still being written has no line break yet and does not parse: it is left out.
  while (std::getline(log, line)) {
    StandinRequest record;
    if (standin::ParseRecordLine(line, record)) records.push_back(std::move(record));
  }
  return records;
}

std::string HeaderOf(const StandinRequest& request, const std::string& name) {
  for (const auto& [header, value] : request.headers) {
    if (mb::GbkEqualsNoCase(header, name)) return value;
  }
  return {};
}

StandinSession::StandinSession(std::string logPath) : logPath_(std::move(logPath)) {
  Control("clear");
  Mark();
}

StandinSession::~StandinSession() { SendStandinControl("clear"); }

bool StandinSession::Control(const std::string& commands) {
  const StandinReply reply = SendStandinControl(commands);
  if (reply.status == 200) {
    error_.clear();
    return true;
  }
  error_ = reply.status == 0 ? "the stand-in service did not answer on port " + std::to_string(MB_SERVICE_HTTP_PORT)
                             : "status " + std::to_string(reply.status) + ": " + reply.body;
  return false;
}

std::vector<StandinRequest> StandinSession::Requests() const {
  std::vector<StandinRequest> records = ReadStandinLog(logPath_);
  std::vector<StandinRequest> recent;
  for (StandinRequest& record : records) {
    if (record.seq > markedSeq_) recent.push_back(std::move(record));
  }
  return recent;
}

void StandinSession::Mark() {
  const std::vector<StandinRequest> records = ReadStandinLog(logPath_);
  markedSeq_ = records.empty() ? 0 : records.back().seq;
}

}  // namespace winkit
