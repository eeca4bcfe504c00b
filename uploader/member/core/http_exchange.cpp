#include "uploader/member/core/http_exchange.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "uploader/member/core/http_url.h"

namespace mb::uploader {

void GrowingBuffer::Append(const char* bytes, std::size_t count) {
  std::size_t capacity = bytes_.size();
  while (used_ + count + 1 > capacity) capacity *= 2;
  if (capacity != bytes_.size()) bytes_.resize(capacity, '\0');
  if (count) std::memcpy(bytes_.data() + used_, bytes, count);
  used_ += count;
  bytes_[used_] = '\0';
}

std::vector<std::string> HttpRequestHeadPieces(bool post, std::string_view path, std::string_view host,
                                               std::string_view extraHeader, std::size_t bodyLength) {
  std::vector<std::string> pieces;
  pieces.emplace_back(post ? "POST " : "GET ");
  pieces.emplace_back(path.empty() ? std::string_view("/") : path);
  pieces.emplace_back(" HTTP/1.0\r\n");
  pieces.emplace_back(
      "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-excel, "
      "application/msword, application/vnd.ms-powerpoint, */*\r\n");
  pieces.emplace_back("Accept-Language: en-us\r\n");
  pieces.emplace_back("Accept-Encoding: gzip, deflate\r\n");
  pieces.emplace_back("User-Agent: Mozilla/4.0\r\n");
  if (bodyLength != 0) pieces.emplace_back("Content-Length: " + std::to_string(bodyLength) + "\r\n");
  pieces.emplace_back("Host: " + std::string(host) + "\r\n");
  if (!extraHeader.empty()) pieces.emplace_back(extraHeader);
  pieces.emplace_back("\r\n");
  return pieces;
}

bool ReplyHeadReader::Take(char byte) {
  if (complete_) return true;
  head_.Append(&byte, 1);
  if (byte == '\n') {
    if (lineLength_ == 0) complete_ = true;
    lineLength_ = 0;
  } else if (byte != '\r') {
    ++lineLength_;
  }
  return complete_;
}

namespace {

// Reads the head; false on a receive failure, a head over the limit, or a connection closed
// before the empty line that ends the head.
bool ReadHead(HttpConnection& connection, std::string& headText) {
  ReplyHeadReader reader;
  char byte = 0;
  while (!reader.Complete()) {
    const int got = connection.Receive(&byte, 1);
    if (got <= 0) return false;
    reader.Take(byte);
    if (reader.Overflowed()) return false;
  }
  headText = reader.Text();
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The value of a header line whose name equals `name` in any letter case, without blanks.
std::optional<std::string_view> HeaderValue(std::string_view head, std::string_view name) {
  for (std::size_t start = head.find('\n'); start != std::string_view::npos && start + 1 < head.size();) {
    ++start;
    const std::size_t end = std::min(head.find('\n', start), head.size());
    std::string_view line = head.substr(start, end - start);
    if (line.size() > name.size() && line[name.size()] == ':' &&
        std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) { return LowerAscii(a) == LowerAscii(b); })) {
      std::string_view value = line.substr(name.size() + 1);
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
      while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.remove_suffix(1);
      return value;
    }
    start = end;
  }
  return std::nullopt;
}

}  // namespace

int ReplyStatusCode(std::string_view head) {
  if (head.substr(0, 5) != "HTTP/") return -1;
  const std::size_t space = head.find(' ');
  if (space == std::string_view::npos || head.size() < space + 4) return -1;
  const std::string_view code = head.substr(space + 1, 3);
  if (!IsDigit(code[0]) || !IsDigit(code[1]) || !IsDigit(code[2])) return -1;
  if (head.size() > space + 4 && head[space + 4] != ' ' && head[space + 4] != '\r' && head[space + 4] != '\n') return -1;
  return (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
}

bool ReplyIsWhole(std::string_view head, std::size_t bodyLength) {
  const std::optional<std::string_view> declared = HeaderValue(head, "Content-Length");
  if (!declared) return true;
  std::size_t length = 0;
  for (char c : *declared) {
    if (!IsDigit(c) || length > kMaxReplyBodyBytes) return false;
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  return !declared->empty() && bodyLength >= length;
}

namespace {

bool ReadBody(HttpConnection& connection, std::string& body) {
  GrowingBuffer buffer;
  char piece[kBodyPieceBytes];
  for (;;) {
    const int got = connection.Receive(piece, static_cast<int>(sizeof piece));
    if (got < 0) return false;
    if (got == 0) break;
    buffer.Append(piece, static_cast<std::size_t>(got));
    if (buffer.size() > kMaxReplyBodyBytes) return false;
  }
  body = buffer.Text();
  return true;
}

}  // namespace

int RunHttpRequest(HttpConnector& connector, std::string_view url, std::string_view extraHeader,
                   std::string_view body, HttpReply& reply) {
  HttpUrlParts parts;
  if (!ParseHttpUrl(url, parts) || parts.scheme != "HTTP") return 1;
  std::unique_ptr<HttpConnection> connection = connector.Connect(parts.host, parts.port);
  if (!connection) return 1;

  std::string requestText;
  for (const std::string& piece : HttpRequestHeadPieces(!body.empty(), parts.path, parts.host, extraHeader,
                                                        body.size())) {
    if (!connection->Send(piece)) return 1;
    requestText += piece;
  }
  if (!body.empty() && !connection->Send(body)) return 1;

  std::string headText;
  std::string bodyText;
  if (!ReadHead(*connection, headText) || !ReadBody(*connection, bodyText)) return 1;
  if (ReplyStatusCode(headText) != 200 || !ReplyIsWhole(headText, bodyText.size())) return 1;
  reply.requestText = std::move(requestText);
  reply.headerText = std::move(headText);
  reply.bodyLength = static_cast<std::uint32_t>(bodyText.size());
  reply.body = std::move(bodyText);
  return 0;
}

}  // namespace mb::uploader
