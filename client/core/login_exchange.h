// The login exchange with the service, apart from its window and its transport: the request's
// address, and what a reply changes in the configuration.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "client/core/client_config.h"

namespace mb {

// The texts of a login reply, as the XML reader found them: each child element of the root by
// name (its first text child), and the text of every "root/uploadsort" element in order.
struct LoginReplyTexts {
  std::map<std::string, std::string> elements;
  std::vector<std::string> uploadSorts;

  std::string Text(const std::string& name) const;
};

// site + "/kivane/passport.jsp?user=&pass=&clientver=&confver=", the password sent as its MD5
// digest (32 lower-case hex digits) and every value percent-encoded.
std::string LoginRequestUrl(std::string_view site, std::string_view account, std::string_view password,
                            std::string_view clientVersion, std::string_view confVersion);

// True when the reply says the login succeeded ("login" is "1"); only then are the service
// addresses, the report interval and the upload sorts taken into the configuration. An address
// holding a blank, a quote or a control character is not stored, nor is an interval of 0 or less.
bool ApplyLoginReply(const LoginReplyTexts& reply, ClientConfig& config);

// True when a text from the service may be kept as one of the configuration's addresses.
bool IsStorableServiceUrl(std::string_view url);

}  // namespace mb
