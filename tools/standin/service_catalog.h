// The fixed content of the stand-in service: categories, sorts, albums, the recommended list,
// adverts and notices. Texts are UTF-8; addresses are made from the service's base address
// ("http://127.0.0.1:18080").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/standin/member_store.h"
#include "tools/standin/reply_builders.h"

namespace standin {

struct Account {
  std::string name;  // UTF-8
  std::string password;
};

std::vector<Account> DefaultAccounts();
std::vector<Album> StarterAlbumsGbk();
std::vector<UploadSort> UploadSorts();
LoginAddresses ServiceAddresses(std::string_view base);

std::vector<TopListPicture> TopListPictures(std::string_view base);
extern const char kTopListLabel[];
std::vector<std::string> NoticePages(std::string_view base);
// The notice page of that number (1-based), or an empty text when there is none.
std::string NoticePageHtml(int number);

// The service pages the client shows in its browser (wallpaper search, ranking, the member's own
// page, for every skin layout), with links whose script asks the client for a wallpaper through
// window.external; an empty text for any other path.
std::string ClientPageHtml(std::string_view path, std::string_view base);

// Contents of the uploader's data files, "classify.dat", "actives.dat" and "themes.dat".
std::string DataFileText(std::string_view fileName);
std::vector<std::string> DataFileUrls(std::string_view base);

}  // namespace standin
