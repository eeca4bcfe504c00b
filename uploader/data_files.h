// The check of the service's data files (classify.dat, actives.dat, themes.dat) against
// "/admin/version.txt": each line "number|URL" names a file's newest version; a file whose stored
// version is lower is fetched again. A file is only ever replaced by a whole, successful download.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace hoistly {

struct DataVersionLine {
  int version = 0;
  std::string url;
};

// One line of version.txt, trimmed; nothing for an empty or malformed line.
std::optional<DataVersionLine> ParseDataVersionLine(const std::string& line);

// Fetches url; only a status 200 reply whose body arrived whole replaces target (through a
// temporary file in target's folder). False leaves target as it was.
bool FetchToFile(const std::string& url, const std::string& target);

class DataFileCheck {
 public:
  using Fetch = std::function<bool(const std::string& url, const std::string& target)>;
  explicit DataFileCheck(Fetch fetch = FetchToFile) : fetch_(std::move(fetch)) {}

  // Reads version.txt from versionUrl and brings the files in folder up to date, storing their
  // new versions in CConfig (and saving it when any file changed). Returns how many were replaced.
  int Run(const std::string& versionUrl, const std::string& folder);

 private:
  Fetch fetch_;
};

}  // namespace hoistly
