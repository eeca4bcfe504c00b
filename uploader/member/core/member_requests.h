// The uploader's requests to the service pages and how their replies are read: the login, the
// member's album list and the creation of an album.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mb::uploader {

// "/kivane/passport.jsp?user=…&pass=…&clientver=1&confver=1" on the account site: the user name
// percent-encoded, the password as its MD5 digest in lower-case hex.
std::string PassportUrl(std::string_view site, std::string_view user, std::string_view password);
std::string AlbumListUrl(std::string_view site, std::string_view userId);
std::string AddAlbumUrl(std::string_view site, std::string_view userId, std::string_view albumName);

enum class LoginVerdict {
  Failed,    // the request did not succeed: nothing is known
  LoggedIn,  // "<login>1</login>" (looked for first)
  Refused,   // "<login>0</login>"
  Unknown    // a reply holding neither marker
};

// A request succeeded when the reply brought a head.
LoginVerdict JudgeLoginReply(std::string_view headerText, std::string_view body);

// The album list: one "number|name" line per album, lines split at CR and LF, empty lines
// skipped. A line without '|' gives an empty number and the whole line as the name.
std::vector<std::pair<std::string, std::string>> ParseAlbumLines(std::string_view body);

// The number of a created album: the body, blanks and line ends trimmed, must be a positive
// decimal number; anything else (an error page, nothing, "-1") is a failed creation.
std::optional<int> ParseCreatedAlbumNumber(std::string_view body);

}  // namespace mb::uploader
