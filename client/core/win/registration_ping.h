// The network adapter's hardware address through NetBIOS, and the installation registration
// report that carries it.
#pragma once

#include <string>
#include <vector>

namespace mb {

// The NetBIOS adapter numbers the system lists, in order.
std::vector<int> NetbiosAdapterNumbers();

// Resets the adapter and asks its status: its hardware address as "XX-XX-XX-XX-XX-XX", or
// "00-00-00-00-00-00" when that fails.
std::string GetMacAddress(int adapterNumber);

// The registration endpoint this build reports to (a host of its own, apart from the site).
std::string RegistrationEndpoint();

// Sends GET endpoint "/regist.jsp?u=&cid=&mac=" synchronously with the last adapter that has
// an address ("00-00-00-00-00-00" when none has). The reply is not read; true when the endpoint
// answered with status 200. The calling thread has COM.
bool RegistrationPing(const std::string& user, const std::string& clientId);
bool RegistrationPing(const std::string& endpoint, const std::string& user, const std::string& clientId);

}  // namespace mb
