// Command line of the stand-in service.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/standin/fault_injector.h"
#include "tools/standin/reply_builders.h"
#include "tools/standin/service_catalog.h"
#include "tools/standin/service_routes.h"

namespace standin {

struct StandinOptions {
  std::string host = "127.0.0.1";
  int port = 0;                       // 0: any free port
  std::string logPath = "standin-requests.jsonl";
  ReplyCharset charset = ReplyCharset::kGbk;
  std::vector<std::pair<std::string, Fault>> faults;
  std::vector<Account> accounts;      // the default accounts when none is given
  ServiceSettings service;            // base is set once the port is known
  bool showHelp = false;
};

// Reads "--name value" or "--name=value" arguments over the defaults in options. Returns an
// error text, empty on success.
std::string ParseOptions(int argc, const char* const* argv, StandinOptions& options);

std::string UsageText(const char* program);

}  // namespace standin
