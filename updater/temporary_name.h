// The name of the updater's temporary download: "rkupTmp" and a number 0-99 in a folder.
#pragma once

#include <functional>
#include <string>

namespace mb {

// The first numbered name that does not exist; every existing one met on the way is removed.
// Empty when all hundred names are taken, or when the folder is unknown (empty): a bare name would
// land in whatever the current folder is.
std::string ChooseTemporaryName(const std::string& folder, const std::function<bool(const std::string&)>& exists,
                                const std::function<void(const std::string&)>& remove);

}  // namespace mb
