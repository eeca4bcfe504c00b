#include "tools/standin/standin_options.h"

#include <cerrno>
#include <cstdlib>

#include "tools/standin/text_codec.h"

namespace standin {
namespace {

bool ReadInt(const std::string& text, int low, int high, int& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

std::string ApplyOption(const std::string& name, const std::string& value, StandinOptions& o) {
  if (name == "host") {
    o.host = value;
  } else if (name == "port") {
    if (!ReadInt(value, 0, 65535, o.port)) return "bad port: " + value;
  } else if (name == "log") {
    o.logPath = value;
  } else if (name == "charset") {
    std::optional<ReplyCharset> charset = ParseReplyCharset(value);
    if (!charset) return "unknown charset: " + value;
    o.charset = *charset;
  } else if (name == "fault") {
    size_t eq = value.rfind('=');
    std::optional<Fault> fault =
        eq == std::string::npos ? std::nullopt : ParseFault(value.substr(eq + 1));
    if (!fault || eq == 0) return "bad fault (PATH=MODE): " + value;
    o.faults.emplace_back(value.substr(0, eq), *fault);
  } else if (name == "account") {
    size_t colon = value.find(':');
    if (colon == std::string::npos || colon == 0) return "bad account (NAME:PASSWORD): " + value;
    const std::string user = value.substr(0, colon);
    if (!IsGbkEncodable(user)) return "account name has no GBK form: " + user;
    o.accounts.push_back(Account{user, value.substr(colon + 1)});
  } else if (name == "ad-time") {
    if (!ReadInt(value, 0, 86400, o.service.adTime)) return "bad ad-time: " + value;
  } else if (name == "top-stamp") {
    if (!ReadInt(value, -2147483647, 2147483647, o.service.topListStamp))
      return "bad top-stamp: " + value;
  } else if (name == "data-version") {
    if (!ReadInt(value, 0, 2147483647, o.service.dataVersion)) return "bad data-version: " + value;
  } else if (name == "update-version") {
    o.service.updateVersion = value;
  } else if (name == "update-package") {
    o.service.updatePackage = value;
  } else {
    return "unknown option: --" + name;
  }
  return {};
}

}  // namespace

std::string ParseOptions(int argc, const char* const* argv, StandinOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.showHelp = true;
      continue;
    }
    if (arg.compare(0, 2, "--") != 0) return "unexpected argument: " + arg;
    std::string name = arg.substr(2), value;
    size_t eq = name.find('=');
    if (eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      return "missing value for --" + name;
    }
    std::string error = ApplyOption(name, value, options);
    if (!error.empty()) return error;
  }
  return {};
}

std::string UsageText(const char* program) {
  return std::string("usage: ") + program + " [options]\n"
         "Plays the picture service on HTTP for tests and the demo; prints \"ready\" when it\n"
         "listens and ends cleanly on SIGTERM.\n"
         "  --port N               port to listen on (0: any free port)\n"
         "  --host ADDR            address to listen on (127.0.0.1)\n"
         "  --log PATH             request log, one JSON line per request\n"
         "  --charset NAME         gbk (default), utf-8, or undeclared (GBK without a label)\n"
         "  --fault PATH=MODE      misbehave on PATH (\"*\" = every path): refuse, stall,\n"
         "                         garbage, truncate, empty, foreign-charset, 404, 500,\n"
         "                         status:NNN; repeatable\n"
         "  --account NAME:PASS    an account that can log in (repeatable; default demo:demo\n"
         "                         and 张三:123456)\n"
         "  --ad-time N            report interval the login hands out (1800)\n"
         "  --top-stamp N          stamp of the recommended list (2)\n"
         "  --data-version N       version of each uploader data file (2)\n"
         "  --update-version V     installer version offered by the update check\n"
         "  --update-package PATH  file served as that installer\n"
         "While it runs, POST /__control takes the commands \"fault PATH MODE\", \"clear\",\n"
         "\"release\" and \"charset NAME\", one per line.\n";
}

}  // namespace standin
