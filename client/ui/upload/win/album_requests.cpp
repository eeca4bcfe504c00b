#include "client/ui/upload/win/album_requests.h"

#include "client/core/win/service_request.h"
#include "client/ui/upload/upload_registration.h"
#include "common/win/com_ptr.h"

namespace mb {

std::optional<AlbumList> FetchAlbumList(const std::string& site, const std::string& user) {
  ComApartment com;
  const ServiceReply reply = ServiceGet(AlbumListUrl(site, user), true);
  if (!reply.ok()) return std::nullopt;
  AlbumList albums;
  albums.Parse(reply.text);
  return albums;
}

int AddAlbumRequest(const std::string& site, const std::string& user, const std::string& name) {
  ComApartment com;
  const ServiceReply reply = ServicePost(AddAlbumUrl(site, user, name), "");
  return NewAlbumNumber(reply.status, reply.text);
}

}  // namespace mb
