// The texts of the usage report and the page-view ping. A report carries up to ten records
// "text,seconds,category,f3,f2,f4,f5;" of items that stayed on the desktop long enough; every
// field is percent-encoded GBK, so a ',' or ';' inside one cannot break the record.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "client/core/client_data_files.h"
#include "client/core/usage_list.h"

namespace mb {

constexpr std::size_t kReportBatchSize = 10;

// The record of one item, with the catalogue fields of the first download record whose local
// path has the item's text as its file-name part (empty fields without one).
std::string FormatUsageRecord(const UsageItem& item, const std::vector<DownloadRecord>& downloads);

// One batch taken from the front of the list: at most ten items whose seconds reached
// minSeconds, stopping at the first that did not. Empty when nothing is due.
struct ReportBatch {
  std::string records;
  std::size_t count = 0;
};
ReportBatch TakeReportBatch(UsageList& usage, const std::vector<DownloadRecord>& downloads,
                            std::int32_t minSeconds);

// reportUrl + "?fn=" + the batch's records.
std::string ReportAddress(std::string_view reportUrl, const ReportBatch& batch);

// home + "/conf/pv.png?user=...&f=..." with f the picture's path relative to the download folder.
std::string PageViewAddress(std::string_view home, std::string_view user, std::string_view picturePath,
                            std::string_view downloadFolder);

}  // namespace mb
