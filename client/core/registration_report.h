// The installation registration report: the user, the client id and the network adapter's
// hardware address, sent once after a login that asked for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The text of an adapter that gave no address.
constexpr char kNoAdapterAddress[] = "00-00-00-00-00-00";

// Six bytes as "%02X-%02X-%02X-%02X-%02X-%02X".
std::string FormatAdapterAddress(const unsigned char (&bytes)[6]);

// The address to report from the adapters' addresses in enumeration order: the last one that is
// not kNoAdapterAddress, or kNoAdapterAddress when none is.
std::string ChooseReportedAdapterAddress(const std::vector<std::string>& addresses);

// endpoint + "/regist.jsp?u=...&cid=...&mac=..." with the values percent-encoded.
std::string RegistrationReportUrl(std::string_view endpoint, std::string_view user,
                                  std::string_view clientId, std::string_view adapterAddress);

}  // namespace mb
