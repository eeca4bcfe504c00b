// The updater's question to the service: is there a newer installer than the one at hand?
#pragma once

#include <string>

#include "updater/update_reply.h"

namespace mb {

// Fetches an address into a file through the URL moniker service, past the browser cache; the
// HTTP status of the answer is returned in status (0 when none came). True when the download
// itself succeeded.
bool FetchThroughUrlMoniker(const std::string& url, const std::string& file, int& status);

// Asked once: a second Run is a flow error.
class VersionCheck {
 public:
  // installedVersion: the version of data\setup.exe, or empty. The reply is read from a unique
  // "dat" file in the temporary folder, which is deleted after reading.
  UpdateCheckResult Run(const std::string& checkUrl, const std::string& installedVersion);
  // The address the check asked, for the record.
  const std::string& RequestAddress() const { return requestAddress_; }

 private:
  bool done_ = false;
  std::string requestAddress_;
};

}  // namespace mb
