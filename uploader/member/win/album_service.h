// The member's albums at the service: the list, loaded into CConfig, and the creation of one.
#pragma once

#include <optional>
#include <string>

namespace mb::uploader {

class HttpClient;

// Empties CConfig's album list and fills it from the service; false (after "Retrieve Failed")
// when the request failed.
bool LoadAlbumList(HttpClient& client);

// Creates the album; its number, or nothing when the request failed or the reply is not a
// positive number. Nothing is added to CConfig here.
std::optional<int> CreateAlbum(HttpClient& client, const std::string& name);

}  // namespace mb::uploader
