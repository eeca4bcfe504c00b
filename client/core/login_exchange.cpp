#include "client/core/login_exchange.h"

#include <cstdlib>

#include "client/core/md5_digest.h"
#include "client/core/service_url.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

// Leading-digits conversion with an optional sign, as the service's numbers are read.
bool ReadLeadingInt(std::string_view text, int& value) {
  const std::string copy(TrimBlanks(text));
  if (copy.empty()) return false;
  char* end = nullptr;
  const long number = std::strtol(copy.c_str(), &end, 10);
  if (end == copy.c_str()) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

std::string LoginReplyTexts::Text(const std::string& name) const {
  const auto found = elements.find(name);
  return found == elements.end() ? std::string() : found->second;
}

std::string LoginRequestUrl(std::string_view site, std::string_view account, std::string_view password,
                            std::string_view clientVersion, std::string_view confVersion) {
  QueryText query;
  query.Add("user", account).Add("pass", Md5Hex(password)).Add("clientver", clientVersion).Add("confver", confVersion);
  return ServiceUrl(site, "/kivane/passport.jsp", query);
}

bool IsStorableServiceUrl(std::string_view url) {
  if (url.empty()) return false;
  for (unsigned char c : url) {
    if (c <= 0x20 || c == 0x7F || c == '"' || c == '\'') return false;
  }
  return true;
}

bool ApplyLoginReply(const LoginReplyTexts& reply, ClientConfig& config) {
  if (reply.Text("login") != "1") return false;

  auto take = [&](const char* element, std::string ClientConfig::*member) {
    const std::string text = reply.Text(element);
    if (IsStorableServiceUrl(text)) config.SetSharedText(member, text);
  };
  take("registerURL", &ClientConfig::registerUrl);
  take("lostpasswdURL", &ClientConfig::lostPasswordUrl);
  // The upload page goes with the ranking and search pages: a reply without both keeps the old one.
  if (!reply.Text("hotlistURL").empty() && !reply.Text("searchURL").empty()) {
    take("uploadURL", &ClientConfig::uploadUrl);
  }
  take("reportURL", &ClientConfig::reportUrl);
  take("updateURL", &ClientConfig::updateUrl);
  take("vuploadURL", &ClientConfig::viewUploadUrl);
  take("popURL", &ClientConfig::noticePageUrl);
  int adTime = 0;
  if (ReadLeadingInt(reply.Text("adTime"), adTime) && adTime > 0) config.adTime = adTime;

  config.uploadSorts.clear();
  for (const std::string& text : reply.uploadSorts) {
    const std::vector<std::string> parts = GbkSplit(text, ",");
    int id = 0;
    if (parts.size() != 2) continue;
    ReadLeadingInt(parts[0], id);
    config.uploadSorts.push_back({id, parts[1]});
  }
  return true;
}

}  // namespace mb
