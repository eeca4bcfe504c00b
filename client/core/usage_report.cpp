#include "client/core/usage_report.h"

#include "client/core/path_text.h"
#include "client/core/service_url.h"
#include "common/gbk_text.h"

namespace mb {

std::string FormatUsageRecord(const UsageItem& item, const std::vector<DownloadRecord>& downloads) {
  const DownloadRecord* match = nullptr;
  for (const DownloadRecord& record : downloads) {
    if (GetFileNamePart(record.localPath) == item.text) {
      match = &record;
      break;
    }
  }
  const DownloadRecord none;
  const DownloadRecord& r = match ? *match : none;
  std::string record = PercentEncode(item.text) + "," + std::to_string(item.seconds);
  for (const std::string* field : {&r.category, &r.f3, &r.f2, &r.f4, &r.f5}) {
    record += ",";
    record += PercentEncode(*field);
  }
  return record + ";";
}

ReportBatch TakeReportBatch(UsageList& usage, const std::vector<DownloadRecord>& downloads,
                            std::int32_t minSeconds) {
  ReportBatch batch;
  for (const UsageItem& item : usage.TakeFront(kReportBatchSize, minSeconds)) {
    batch.records += FormatUsageRecord(item, downloads);
    ++batch.count;
  }
  return batch;
}

std::string ReportAddress(std::string_view reportUrl, const ReportBatch& batch) {
  return std::string(reportUrl) + "?fn=" + batch.records;
}

std::string PageViewAddress(std::string_view home, std::string_view user, std::string_view picturePath,
                            std::string_view downloadFolder) {
  std::string_view relative = picturePath;
  if (!downloadFolder.empty() && GbkStartsWithNoCase(picturePath, downloadFolder)) {
    relative.remove_prefix(downloadFolder.size());
  }
  return ServiceUrl(home, "/conf/pv.png", QueryText().Add("user", user).Add("f", relative));
}

}  // namespace mb
