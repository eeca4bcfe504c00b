#include "uploader/member/core/member_requests.h"

#include "client/core/md5_digest.h"
#include "client/core/service_url.h"
#include "common/gbk_text.h"

namespace mb::uploader {

std::string PassportUrl(std::string_view site, std::string_view user, std::string_view password) {
  return ServiceUrl(site, "/kivane/passport.jsp",
                    QueryText().Add("user", user).Add("pass", Md5Hex(password)).Add("clientver", "1").Add("confver", "1"));
}

std::string AlbumListUrl(std::string_view site, std::string_view userId) {
  return ServiceUrl(site, "/common/upload/albumlist_client.jsp", QueryText().Add("userid", userId));
}

std::string AddAlbumUrl(std::string_view site, std::string_view userId, std::string_view albumName) {
  return ServiceUrl(site, "/common/upload/addalbum_client.jsp", QueryText().Add("userid", userId).Add("v", albumName));
}

LoginVerdict JudgeLoginReply(std::string_view headerText, std::string_view body) {
  if (headerText.empty()) return LoginVerdict::Failed;
  if (body.find("<login>1</login>") != std::string_view::npos) return LoginVerdict::LoggedIn;
  if (body.find("<login>0</login>") != std::string_view::npos) return LoginVerdict::Refused;
  return LoginVerdict::Unknown;
}

std::vector<std::pair<std::string, std::string>> ParseAlbumLines(std::string_view body) {
  std::vector<std::pair<std::string, std::string>> albums;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view line = body.substr(start, end - start);
    if (!line.empty()) {
      const std::size_t bar = GbkFind(line, '|');
      if (bar == std::string_view::npos) {
        albums.emplace_back(std::string(), std::string(line));
      } else {
        albums.emplace_back(std::string(line.substr(0, bar)), std::string(line.substr(bar + 1)));
      }
    }
    start = end + 1;
  }
  return albums;
}

std::optional<int> ParseCreatedAlbumNumber(std::string_view body) {
  const std::size_t first = body.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = body.find_last_not_of(" \t\r\n");
  const std::string_view digits = body.substr(first, last - first + 1);
  if (digits.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value <= 0) return std::nullopt;
  return value;
}

}  // namespace mb::uploader
