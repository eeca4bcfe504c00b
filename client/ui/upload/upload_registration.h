// The service's side of an upload: the names the picture is stored under, the registration
// request that follows the transfer, the album requests, and how their replies are read.
#pragma once

#include <string>
#include <string_view>

#include "client/ui/upload/upload_form.h"
#include "upload/core/remote_name.h"

namespace mb {

// Where the upload server stores one picture, from one reading of the clock.
struct UploadTarget {
  std::string dateFolder, minuteFolder;
  std::string wireUser;    // the user name without dots
  std::string remoteName;  // wire user, time fields, tick, the file name's extension
  std::string remotePath;  // date folder "/" minute folder
};

UploadTarget MakeUploadTarget(std::string_view path, std::string_view user, const upload::UploadStamp& stamp);

// The registration address on site: the reprint or the author address, the fourteen values in
// their order, each percent-encoded GBK.
std::string RegistrationUrl(std::string_view site, const UploadForm& form, const UploadTarget& target);

std::string AlbumListUrl(std::string_view site, std::string_view user);
std::string AddAlbumUrl(std::string_view site, std::string_view user, std::string_view album);

// A registration counts only with status 200 and a reply whose leading number is above 0.
bool RegistrationAccepted(long status, std::string_view reply);
// The new album's number; -1 unless the status is 200 and the number is 1 or more.
int NewAlbumNumber(long status, std::string_view reply);

}  // namespace mb
