// The recommended-pictures list the service hands out after every login: picture addresses with
// their categories, a new home address with the list's label, and the list's stamp. top10.dat in
// the program folder keeps the stamp of the last list applied, so that a list is fetched once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

struct TopListPicture {
  std::string url;
  std::string category;  // a category folder under the download folder
  std::string fileName;  // the file-name part of the address
};

struct TopList {
  std::vector<TopListPicture> pictures;
  std::string homeAddress;  // empty when the list's address cannot be kept
  std::string label;
  int stamp = 0;
  int refused = 0;  // items whose category or file name cannot become a local path
};

// Items separated by '*' (empty ones dropped): pictures as "address(category)", then
// "home(label)", then the stamp; each split at its last '(', the closing ')' being optional. Nothing when the list has fewer than three items.
std::optional<TopList> ParseTopList(std::string_view text);

// The stamp kept in top10.dat: a 32-bit integer in host order; 1 when the file is missing or
// shorter than that.
int ReadTopListStamp(const std::string& path);
bool WriteTopListStamp(const std::string& path, int stamp);

// True when the bytes begin like a JPEG, PNG, GIF or BMP file. The download call saves an error
// page as readily as a picture; only a picture is kept.
bool LooksLikePicture(std::string_view firstBytes);

// Where a picture of the list goes: downloadFolder + category + "\\" + file name.
std::string TopListTarget(const std::string& downloadFolder, const TopListPicture& picture);

}  // namespace mb
