// The three notices to the service: usage reports (display times of pictures and adverts), the
// page-view ping after each carousel step and the logout notice at exit. Replies are not read.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client/core/usage_list.h"

namespace mb {

class ClientConfig;

// Time limit of the last report and the logout notice, which hold up the exit.
constexpr DWORD kExitNoticeTimeoutMs = 3000;

// Sends the finished items of usage in batches of at most ten while the member is logged in;
// a failed request ends the round (its records are gone, as the service may have them).
void SendUsageReports(ClientConfig& config, UsageList& usage, DWORD timeoutMs);

// Starts a detached thread that sends the page view of the picture (its own copy of the path).
void StartPageViewPing(const ClientConfig& config, const std::string& picturePath);

// "/kivane/member/exit.jsp" on the service, whether or not the member is logged in.
void SendLogoutNotice(const ClientConfig& config, DWORD timeoutMs);

}  // namespace mb
