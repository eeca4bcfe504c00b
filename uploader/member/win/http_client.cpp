#include "uploader/member/win/http_client.h"

#include <windows.h>

#include "uploader/member/win/winsock_connector.h"

namespace mb::uploader {

const char kSystemMessageTitle[] = "墨岚屏[Pelora]-系统消息";

namespace {

HttpConnector& DefaultConnector() {
  static WinsockConnector connector;
  return connector;
}

}  // namespace

HttpClient::HttpClient() : connector_(&DefaultConnector()) {}

int HttpClient::HttpRequest(const std::string& url, const std::string& extraHeader, const std::string& body,
                            HttpReply& reply) {
  return RunHttpRequest(*connector_, url, extraHeader, body, reply);
}

bool HttpClient::PostForm(bool post, const std::string& url, std::string& text, std::string& header,
                          std::string& body) {
  HttpReply reply;
  const int failed = post ? HttpRequest(url, "Content-Type: application/x-www-form-urlencoded\r\n", text, reply)
                          : HttpRequest(url, std::string(), std::string(), reply);
  if (failed) {
    MessageBoxA(nullptr, "Retrieve Failed", kSystemMessageTitle, MB_OK);
    return false;
  }
  text = reply.requestText;
  header = reply.headerText;
  body = reply.body;
  return true;
}

std::string AccountSite() { return MB_UPLOADER_ACCOUNT_SITE; }
std::string AlbumSite() { return MB_UPLOADER_ALBUM_SITE; }

}  // namespace mb::uploader
