#include "client/core/registration_report.h"

#include <cstdio>

#include "client/core/service_url.h"

namespace mb {

std::string FormatAdapterAddress(const unsigned char (&bytes)[6]) {
  char text[sizeof kNoAdapterAddress];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", bytes[0], bytes[1], bytes[2],
                bytes[3], bytes[4], bytes[5]);
  return text;
}

std::string ChooseReportedAdapterAddress(const std::vector<std::string>& addresses) {
  std::string chosen = kNoAdapterAddress;
  for (const std::string& address : addresses) {
    if (address != kNoAdapterAddress) chosen = address;
  }
  return chosen;
}

std::string RegistrationReportUrl(std::string_view endpoint, std::string_view user,
                                  std::string_view clientId, std::string_view adapterAddress) {
  return ServiceUrl(endpoint, "/regist.jsp",
                    QueryText().Add("u", user).Add("cid", clientId).Add("mac", adapterAddress));
}

}  // namespace mb
