// The uploader's HTTP/1.0 client: one request per call on its own connection, run on the
// calling thread. PostForm is what the dialogs use; it tells the member when a request failed.
#pragma once

#include <string>

#include "uploader/member/core/http_exchange.h"

namespace mb::uploader {

class HttpClient {
 public:
  // Requests go through the given connector (by default Winsock with a 10 s time-out per wait).
  HttpClient();
  explicit HttpClient(HttpConnector& connector) : connector_(&connector) {}
  virtual ~HttpClient() = default;

  // POST when body is not empty, else GET. 0 on success, 1 on failure.
  int HttpRequest(const std::string& url, const std::string& extraHeader, const std::string& body, HttpReply& reply);

  // With post set, text goes as a form body; otherwise a GET. On success text, header and body
  // receive the request text, the reply head and the reply body; on failure a message box says
  // "Retrieve Failed" and they are left as they were.
  bool PostForm(bool post, const std::string& url, std::string& text, std::string& header, std::string& body);

 private:
  HttpConnector* connector_;
};

// Where the uploader finds the account pages (login) and the album pages.
std::string AccountSite();
std::string AlbumSite();

// The caption of the uploader's message boxes.
extern const char kSystemMessageTitle[];

}  // namespace mb::uploader
