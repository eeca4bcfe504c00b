#include "uploader/member/core/http_exchange.h"

#include <gtest/gtest.h>

#include "uploader/member/core/http_url.h"

namespace mb::uploader {
namespace {

TEST(HttpUrl, SchemeHostPortAndPath) {
  HttpUrlParts parts;
  ASSERT_TRUE(ParseHttpUrl("www.pelora.cn/a/B?x=Y", parts));  // no scheme: HTTP
  EXPECT_EQ(parts.scheme, "HTTP");
  EXPECT_EQ(parts.host, "WWW.PELORA.CN");
  EXPECT_EQ(parts.path, "/a/B?x=Y");
  EXPECT_EQ(parts.port, 80);
  ASSERT_TRUE(ParseHttpUrl("https://host/x", parts));
  EXPECT_EQ(parts.scheme, "HTTPS");
  ASSERT_TRUE(ParseHttpUrl("Http://up-1.example:8080", parts));
  EXPECT_EQ(parts.host, "UP-1.EXAMPLE");
  EXPECT_EQ(parts.port, 8080);
  EXPECT_EQ(parts.path, "");
  ASSERT_TRUE(ParseHttpUrl("http:/x", parts));  // a single slash is not skipped
  EXPECT_EQ(parts.host, "");
  EXPECT_EQ(parts.path, "/x");
  EXPECT_FALSE(ParseHttpUrl("http://h:99999/", parts));
  EXPECT_FALSE(ParseHttpUrl("http://h:80x/", parts));
  EXPECT_FALSE(ParseHttpUrl("http://" + std::string(257, 'h') + "/", parts));
  EXPECT_FALSE(ParseHttpUrl("http://h/" + std::string(1024, 'p'), parts));
}

// A scripted server: records what was sent, answers with the reply cut into the given pieces.
class ScriptedConnection : public HttpConnection {
 public:
  ScriptedConnection(std::string* sent, std::vector<std::string> pieces, int ending)
      : sent_(sent), pieces_(std::move(pieces)), ending_(ending) {}
  bool Send(std::string_view bytes) override {
    sent_->append(bytes);
    sent_->append("|");
    return true;
  }
  int Receive(char* buffer, int size) override {
    while (next_ < pieces_.size() && offset_ == pieces_[next_].size()) ++next_, offset_ = 0;
    if (next_ == pieces_.size()) return ending_;
    const std::string& piece = pieces_[next_];
    const std::size_t count = std::min<std::size_t>(size, piece.size() - offset_);
    piece.copy(buffer, count, offset_);
    offset_ += count;
    return static_cast<int>(count);
  }

 private:
  std::string* sent_;
  std::vector<std::string> pieces_;
  int ending_;
  std::size_t next_ = 0;
  std::size_t offset_ = 0;
};

class ScriptedConnector : public HttpConnector {
 public:
  std::unique_ptr<HttpConnection> Connect(const std::string& host, int port) override {
    target = host + ":" + std::to_string(port);
    if (refuse) return nullptr;
    return std::make_unique<ScriptedConnection>(&sent, pieces, ending);
  }
  std::string target;
  std::string sent;
  std::vector<std::string> pieces;
  int ending = 0;  // 0: the server closes; -1: a time-out
  bool refuse = false;
};

const char kAccept[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-excel, "
    "application/msword, application/vnd.ms-powerpoint, */*\r\n|";

TEST(HttpExchange, RequestIsSentPieceByPieceAndRecorded) {
  ScriptedConnector server;
  server.pieces = {"HTTP/1.0 200 OK\r\nX: y\r\n\r\nbody"};
  HttpReply reply;
  ASSERT_EQ(RunHttpRequest(server, "http://svc.local:8080", "", "", reply), 0);
  EXPECT_EQ(server.target, "SVC.LOCAL:8080");
  EXPECT_EQ(server.sent, std::string("GET |/| HTTP/1.0\r\n|") + kAccept +
                             "Accept-Language: en-us\r\n|Accept-Encoding: gzip, deflate\r\n|User-Agent: Mozilla/4.0\r\n|"
                             "Host: SVC.LOCAL\r\n|\r\n|");
  EXPECT_EQ(reply.requestText + "|", [&] {
    std::string joined = server.sent;
    joined.erase(std::remove(joined.begin(), joined.end(), '|'), joined.end());
    return joined + "|";
  }());
  EXPECT_EQ(reply.headerText, "HTTP/1.0 200 OK\r\nX: y\r\n\r\n");
  EXPECT_EQ(reply.body, "body");
  EXPECT_EQ(reply.bodyLength, 4u);

  ScriptedConnector poster;
  poster.pieces = {"HTTP/1.0 200 OK\r\n\r\n"};
  ASSERT_EQ(RunHttpRequest(poster, "HTTP://h/p?q=1", "Content-Type: application/x-www-form-urlencoded\r\n", "a=1&b=2",
                           reply),
            0);
  EXPECT_EQ(poster.sent, std::string("POST |/p?q=1| HTTP/1.0\r\n|") + kAccept +
                             "Accept-Language: en-us\r\n|Accept-Encoding: gzip, deflate\r\n|User-Agent: Mozilla/4.0\r\n|"
                             "Content-Length: 7\r\n|Host: H\r\n|Content-Type: application/x-www-form-urlencoded\r\n|"
                             "\r\n|a=1&b=2|");
  EXPECT_EQ(reply.requestText.find("a=1"), std::string::npos);
  EXPECT_EQ(reply.body, "");  // a reply without a body
  EXPECT_EQ(reply.bodyLength, 0u);
}

TEST(HttpExchange, ReplyIsSplitWhateverPiecesItArrivesIn) {
  const std::string head = "HTTP/1.0 200 OK\r\nA: 1\n\r\n";  // bare LF lines count too
  std::string body;
  for (int i = 0; i < 2000; ++i) body += static_cast<char>('a' + i % 26);
  body[700] = '\0';
  const std::string whole = head + body;
  for (std::size_t pieceSize : {std::size_t(1), std::size_t(3), std::size_t(510), std::size_t(4096)}) {
    ScriptedConnector server;
    for (std::size_t at = 0; at < whole.size(); at += pieceSize) server.pieces.push_back(whole.substr(at, pieceSize));
    HttpReply reply;
    ASSERT_EQ(RunHttpRequest(server, "http://h/", "", "", reply), 0) << pieceSize;
    EXPECT_EQ(reply.headerText, head);
    EXPECT_EQ(reply.body, body);
    EXPECT_EQ(reply.bodyLength, 2000u);
  }
}

TEST(HttpExchange, OnlyAWhole200ReplyIsUsed) {
  HttpReply reply;
  reply.body = "before";
  auto run = [&reply](std::vector<std::string> pieces) {
    ScriptedConnector server;
    server.pieces = std::move(pieces);
    return RunHttpRequest(server, "http://h/", "", "", reply);
  };
  // Cut inside the head, even right after the status line: a failure, not an empty success.
  EXPECT_EQ(run({"HTTP/1.0 200"}), 1);
  EXPECT_EQ(run({"HTTP/1.0 200 OK\r\n"}), 1);
  EXPECT_EQ(run({}), 1);
  // An error page is never the body of a success.
  EXPECT_EQ(run({"HTTP/1.1 404 Not Found\r\n\r\n1|not an album"}), 1);
  EXPECT_EQ(run({"HTTP/1.0 500 Server Error\r\nContent-Length: 3\r\n\r\nbad"}), 1);
  EXPECT_EQ(run({"HTTP/1.0 2000 OK\r\n\r\n"}), 1);
  EXPECT_EQ(run({"<html>200</html>\r\n\r\n"}), 1);
  // A body shorter than its declared length is a cut reply.
  EXPECT_EQ(run({"HTTP/1.0 200 OK\r\ncontent-length: 10\r\n\r\n12345"}), 1);
  EXPECT_EQ(run({"HTTP/1.0 200 OK\r\nContent-Length: x\r\n\r\n12345"}), 1);
  EXPECT_EQ(reply.body, "before");
  ASSERT_EQ(run({"HTTP/1.0 200 OK\r\nContent-Length:  5 \r\n\r\n12345"}), 0);
  EXPECT_EQ(reply.body, "12345");
  ASSERT_EQ(run({"HTTP/1.1 200\r\n\r\n7|a"}), 0);
  EXPECT_EQ(reply.body, "7|a");
}

TEST(HttpExchange, FailuresLeaveTheReplyUntouched) {
  HttpReply reply;
  reply.body = "before";
  ScriptedConnector server;
  server.pieces = {"HTTP/1.0 200 OK\r\n\r\nok"};
  EXPECT_EQ(RunHttpRequest(server, "https://h/", "", "", reply), 1);
  EXPECT_EQ(server.target, "");  // refused before connecting
  server.refuse = true;
  EXPECT_EQ(RunHttpRequest(server, "http://h/", "", "", reply), 1);

  ScriptedConnector stalled;  // a time-out in the head, then in the body
  stalled.ending = -1;
  stalled.pieces = {"HTTP/1.0 200 OK\r\n"};
  EXPECT_EQ(RunHttpRequest(stalled, "http://h/", "", "", reply), 1);
  stalled.pieces = {"HTTP/1.0 200 OK\r\n\r\npart"};
  EXPECT_EQ(RunHttpRequest(stalled, "http://h/", "", "", reply), 1);

  ScriptedConnector hugeHead;
  hugeHead.pieces = {"HTTP/1.0 200 OK\r\nX: " + std::string(kMaxReplyHeadBytes, 'x')};
  EXPECT_EQ(RunHttpRequest(hugeHead, "http://h/", "", "", reply), 1);
  ScriptedConnector hugeBody;
  hugeBody.pieces = {"HTTP/1.0 200 OK\r\n\r\n", std::string(kMaxReplyBodyBytes + 1, 'b')};
  EXPECT_EQ(RunHttpRequest(hugeBody, "http://h/", "", "", reply), 1);
  ScriptedConnector largest;
  largest.pieces = {"HTTP/1.0 200 OK\r\n\r\n", std::string(kMaxReplyBodyBytes, 'b')};
  EXPECT_EQ(RunHttpRequest(largest, "http://h/", "", "", reply), 0);
  EXPECT_EQ(reply.bodyLength, kMaxReplyBodyBytes);

  GrowingBuffer buffer;  // 10 bytes, doubled as needed, always terminated
  buffer.Append("0123456789", 10);
  EXPECT_EQ(buffer.capacity(), 20u);
  buffer.Append(std::string(30, 'x').data(), 30);
  EXPECT_EQ(buffer.capacity(), 80u);
  EXPECT_EQ(buffer.Text().size(), 40u);
}

}  // namespace
}  // namespace mb::uploader
