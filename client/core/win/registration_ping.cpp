#include "client/core/win/registration_ping.h"

#include <windows.h>
#include <nb30.h>

#include <cstring>

#include "client/core/registration_report.h"
#include "client/core/win/service_request.h"

namespace mb {
namespace {

// The adapter status with room for the names that follow it: 600 bytes in all.
struct AdapterStatusBuffer {
  ADAPTER_STATUS status;
  NAME_BUFFER names[30];
};
static_assert(sizeof(AdapterStatusBuffer) == 600, "the adapter status query uses a 600-byte buffer");

}  // namespace

std::vector<int> NetbiosAdapterNumbers() {
  LANA_ENUM adapters = {};
  NCB control = {};
  control.ncb_command = NCBENUM;
  control.ncb_buffer = reinterpret_cast<PUCHAR>(&adapters);
  control.ncb_length = sizeof adapters;
  std::vector<int> numbers;
  if (Netbios(&control) != NRC_GOODRET) return numbers;
  const int count = adapters.length < MAX_LANA + 1 ? adapters.length : MAX_LANA + 1;
  for (int i = 0; i < count; ++i) numbers.push_back(adapters.lana[i]);
  return numbers;
}

std::string GetMacAddress(int adapterNumber) {
  NCB reset = {};
  reset.ncb_command = NCBRESET;
  reset.ncb_lana_num = static_cast<UCHAR>(adapterNumber);
  Netbios(&reset);

  AdapterStatusBuffer buffer = {};
  NCB query = {};
  query.ncb_command = NCBASTAT;
  query.ncb_lana_num = static_cast<UCHAR>(adapterNumber);
  std::memset(query.ncb_callname, ' ', NCBNAMSZ);
  query.ncb_callname[0] = '*';
  query.ncb_buffer = reinterpret_cast<PUCHAR>(&buffer);
  query.ncb_length = sizeof buffer;
  if (Netbios(&query) != NRC_GOODRET) return kNoAdapterAddress;
  unsigned char address[6];
  std::memcpy(address, buffer.status.adapter_address, sizeof address);
  return FormatAdapterAddress(address);
}

std::string RegistrationEndpoint() { return MB_REGISTRATION_ENDPOINT; }

bool RegistrationPing(const std::string& user, const std::string& clientId) {
  return RegistrationPing(RegistrationEndpoint(), user, clientId);
}

bool RegistrationPing(const std::string& endpoint, const std::string& user, const std::string& clientId) {
  std::vector<std::string> addresses;
  for (int adapter : NetbiosAdapterNumbers()) addresses.push_back(GetMacAddress(adapter));
  const std::string url =
      RegistrationReportUrl(endpoint, user, clientId, ChooseReportedAdapterAddress(addresses));
  return ServiceGet(url).status == 200;
}

}  // namespace mb
