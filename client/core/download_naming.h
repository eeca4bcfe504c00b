// Names of the download road: the local file name a picture address gives, the category as it
// can be kept, the numbered name of a file that exists already, and the record of a download.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "client/core/client_data_files.h"
#include "client/core/download_request.h"

namespace mb {

// The category field of a DownloadRecord holds 31 bytes and its terminating zero.
constexpr std::size_t kCategoryMaxBytes = 31;

// The file-name part of a picture address: after the last '/' or '\\', without a query ("?...")
// or fragment ("#..."). Empty when the address ends in a separator.
std::string DownloadFileName(std::string_view address);

// The category as the member may keep it: blanks trimmed at both ends, then cut to
// kCategoryMaxBytes at a character boundary (and trimmed again, since a cut can end in a blank).
std::string FitCategoryName(std::string_view category);

// path itself, or with a counter in parentheses before the extension, the first of them that
// taken() says is free. A base already ending in "(n)" counts on from n, so an existing
// sky.jpg gives sky(1).jpg and an existing sky(4).jpg gives sky(5).jpg.
std::string MakeUniqueFileName(const std::string& path,
                               const std::function<bool(const std::string&)>& taken);

// The record of a finished download: the local path and the request's fields, category being
// the one the member chose.
DownloadRecord MakeDownloadRecord(const std::string& localPath, const std::string& category,
                                  const DownloadRequest& request);

}  // namespace mb
