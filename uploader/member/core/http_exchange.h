// One request of the uploader's HTTP/1.0 client, apart from the socket it runs over: the
// request is sent piece by piece, the reply head is read a byte at a time, the body in pieces
// of up to 511 bytes. No connection reuse, cookies or redirects; only a whole reply with the
// status 200 is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mb::uploader {

// What arrived for one request; the caller owns it.
struct HttpReply {
  std::string requestText;  // request line and headers as sent, without the body
  std::string headerText;   // status line and headers up to and including the empty line
  std::string body;         // every byte after the head
  std::uint32_t bodyLength = 0;
};

// A reply larger than this fails the request.
constexpr std::size_t kMaxReplyHeadBytes = 64 * 1024;
constexpr std::size_t kMaxReplyBodyBytes = 4 * 1024 * 1024;
constexpr std::size_t kBodyPieceBytes = 511;

// A buffer that starts at 10 bytes and doubles whenever the next bytes would not fit; its bytes
// are always followed by a 0.
class GrowingBuffer {
 public:
  GrowingBuffer() : bytes_(10, '\0') {}
  void Append(const char* bytes, std::size_t count);
  std::size_t size() const { return used_; }
  std::size_t capacity() const { return bytes_.size(); }
  std::string Text() const { return std::string(bytes_.data(), used_); }

 private:
  std::vector<char> bytes_;
  std::size_t used_ = 0;
};

// One open connection. Receive returns the number of bytes read, 0 when the peer closed the
// connection, and -1 on failure or time-out.
class HttpConnection {
 public:
  virtual ~HttpConnection() = default;
  virtual bool Send(std::string_view bytes) = 0;
  virtual int Receive(char* buffer, int size) = 0;
};

// Opens connections; nothing when the host cannot be resolved or reached.
class HttpConnector {
 public:
  virtual ~HttpConnector() = default;
  virtual std::unique_ptr<HttpConnection> Connect(const std::string& host, int port) = 0;
};

// The request head in the pieces it is sent in: method, path, version line, the fixed headers,
// "Content-Length" only with a body, "Host" with the host as given, the extra header text
// (which carries its own line end), and the empty line.
std::vector<std::string> HttpRequestHeadPieces(bool post, std::string_view path, std::string_view host,
                                               std::string_view extraHeader, std::size_t bodyLength);

// Reads the reply head a byte at a time: the head ends with a line feed that closes an empty
// line (carriage returns do not count).
class ReplyHeadReader {
 public:
  // Takes one byte; true once the head is complete.
  bool Take(char byte);
  bool Complete() const { return complete_; }
  bool Overflowed() const { return head_.size() > kMaxReplyHeadBytes; }
  std::string Text() const { return head_.Text(); }

 private:
  GrowingBuffer head_;
  std::size_t lineLength_ = 0;
  bool complete_ = false;
};

// The status code of a reply head ("HTTP/1.x 200 ..."), or -1 when the status line is malformed.
int ReplyStatusCode(std::string_view head);
// False when the head declares a Content-Length that the body falls short of (or one that is
// not a number).
bool ReplyIsWhole(std::string_view head, std::size_t bodyLength);

// Sends the request (POST when body is given and not empty, else GET) and collects the reply.
// Returns 0 on success and 1 on failure: an address that is not HTTP, a connection that cannot
// be made, a failed send, a receive failure or time-out, a connection closed inside the head,
// a status other than 200, a body shorter than its Content-Length, or a reply over the limits.
int RunHttpRequest(HttpConnector& connector, std::string_view url, std::string_view extraHeader,
                   std::string_view body, HttpReply& reply);

}  // namespace mb::uploader
