#include "uploader/member/win/album_service.h"

#include "conf/win/config.h"
#include "uploader/member/core/member_requests.h"
#include "uploader/member/win/http_client.h"

namespace mb::uploader {

bool LoadAlbumList(HttpClient& client) {
  CConfig* config = CConfig::GetConfig();
  config->EmptySpecialList();
  std::string request;
  std::string header;
  std::string body;
  if (!client.PostForm(false, AlbumListUrl(AlbumSite(), config->GetDefaultUserName()), request, header, body)) {
    return false;
  }
  for (const auto& [number, name] : ParseAlbumLines(body)) config->LoadSpecialList(number, name);
  return true;
}

std::optional<int> CreateAlbum(HttpClient& client, const std::string& name) {
  std::string request;
  std::string header;
  std::string body;
  if (!client.PostForm(false, AddAlbumUrl(AlbumSite(), CConfig::GetConfig()->GetDefaultUserName(), name), request,
                       header, body)) {
    return std::nullopt;
  }
  return ParseCreatedAlbumNumber(body);
}

}  // namespace mb::uploader
