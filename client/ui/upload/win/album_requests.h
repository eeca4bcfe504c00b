// The member's albums at the service: the list and the making of a new one. Both requests run
// on the calling thread with COM of its own; the upload page calls them off its own thread.
#pragma once

#include <optional>
#include <string>

#include "client/ui/upload/upload_lists.h"

namespace mb {

// The album list; none when no reply with status 200 came.
std::optional<AlbumList> FetchAlbumList(const std::string& site, const std::string& user);

// A new album; its number, or -1 when the service did not make it.
int AddAlbumRequest(const std::string& site, const std::string& user, const std::string& name);

}  // namespace mb
