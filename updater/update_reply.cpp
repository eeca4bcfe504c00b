#include "updater/update_reply.h"

#include "common/gbk_text.h"
#include "common/sdom_doc.h"

namespace mb {

const char kCheckDownloadFailedText[] = "下载版本比较信息出错，原因：\r\n1, 检查网络链接\r\n2, 服务器繁忙";
const char kCheckNoReplyText[] = "比对文件不存在！";
const char kCheckBadReplyText[] = "比对文件格式出错！";
const char kCheckNotNeededText[] = "无需下载。";
const char kCheckNoAddressText[] = "无法获得下载链接。";
const char kCheckWrongStateText[] = "程序流程有错！";

namespace {

// The text after the key up to the end of its line; npos-free: empty when the key is missing.
bool FindValue(std::string_view reply, std::string_view lowered, std::string_view key, std::string_view& value) {
  const std::size_t at = GbkFind(lowered, key);
  if (at == std::string_view::npos) return false;
  const std::size_t start = at + key.size();
  std::size_t end = start;
  while (end < reply.size() && reply[end] != '\r' && reply[end] != '\n') end += GbkCharLength(reply, end);
  value = reply.substr(start, std::min(end, reply.size()) - start);
  return true;
}

}  // namespace

UpdateCheckResult CheckFailure(const char* text) {
  UpdateCheckResult result;
  result.text = text;
  return result;
}

UpdateCheckResult ParseUpdateReply(std::string_view reply) {
  // Lower-casing keeps every byte where it was, so positions found in the copy hold in the reply.
  const std::string lowered = GbkToLowerAscii(reply);
  std::string_view need;
  if (!FindValue(reply, lowered, "need=", need)) return CheckFailure(kCheckBadReplyText);
  if (ReadLeadingInt(need) == 0) {
    UpdateCheckResult result;
    result.kind = UpdateCheckResult::Kind::kNotNeeded;
    result.text = kCheckNotNeededText;
    return result;
  }
  UpdateCheckResult result;
  std::string_view version;
  if (FindValue(reply, lowered, "version=", version)) result.version = std::string(version);
  std::string_view url;
  if (FindValue(reply, lowered, "url=", url)) {
    for (char c : url) {
      if (c != ' ' && c != '\t') result.url += c;
    }
  }
  if (result.url.empty()) return CheckFailure(kCheckNoAddressText);
  result.kind = UpdateCheckResult::Kind::kDownload;
  return result;
}

}  // namespace mb
