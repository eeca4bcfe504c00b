#include "uploader/data_files.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <fstream>

#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "conf/win/config.h"

namespace hoistly {

namespace {

const size_t kMaxLine = 511;
const DWORD kMaxBody = 16 * 1024 * 1024;
const DWORD kTimeoutMs = 15000;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

// The body of a status 200 reply that arrived whole, or nothing.
std::optional<std::string> FetchBody(const std::string& url) {
  InternetHandle session(InternetOpenA("Hoistly", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.get()) return std::nullopt;
  DWORD timeout = kTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT}) {
    InternetSetOptionA(session.get(), option, &timeout, sizeof timeout);
  }
  InternetHandle request(InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
  if (!request.get()) return std::nullopt;
  DWORD status = 0, size = sizeof status;
  if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
      status != 200) {
    return std::nullopt;
  }
  DWORD declared = 0;
  size = sizeof declared;
  const bool hasLength =
      HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &declared, &size, nullptr);
  std::string body;
  char buffer[8192];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.get(), buffer, sizeof buffer, &read)) return std::nullopt;
    if (read == 0) break;
    body.append(buffer, read);
    if (body.size() > kMaxBody) return std::nullopt;
  }
  // A connection cut early ends the reading like the end of the body: only the length tells.
  if (hasLength && body.size() != declared) return std::nullopt;
  return body;
}

}  // namespace

std::optional<DataVersionLine> ParseDataVersionLine(const std::string& line) {
  const std::string text = Trim(line);
  const size_t bar = mb::GbkFind(text, '|');
  if (bar == std::string::npos || bar == 0) return std::nullopt;
  char* end = nullptr;
  const std::string number = Trim(text.substr(0, bar));
  const long version = std::strtol(number.c_str(), &end, 10);
  if (*end != '\0' || version < 0 || version > 0x7FFFFFFF) return std::nullopt;
  DataVersionLine parsed{static_cast<int>(version), Trim(text.substr(bar + 1))};
  if (parsed.url.empty()) return std::nullopt;
  return parsed;
}

bool FetchToFile(const std::string& url, const std::string& target) {
  const std::optional<std::string> body = FetchBody(url);
  return body && !body->empty() && mb::WriteFileReplacing(target, *body);
}

int DataFileCheck::Run(const std::string& versionUrl, const std::string& folder) {
  char tempFolder[MAX_PATH] = "", tempFile[MAX_PATH] = "";
  if (!GetTempPathA(sizeof tempFolder, tempFolder) || !GetTempFileNameA(tempFolder, "NEW", 0, tempFile)) return 0;
  if (!fetch_(versionUrl, tempFile)) {
    DeleteFileA(tempFile);
    return 0;
  }
  std::ifstream versions(tempFile, std::ios::binary);
  struct DataFile {
    const char* name;
    int (CConfig::*get)() const;
    void (CConfig::*set)(int);
  };
  static const DataFile kFiles[] = {
      {"classify.dat", &CConfig::GetClassifyVersion, &CConfig::SetClassifyVersion},
      {"actives.dat", &CConfig::GetActiveVersion, &CConfig::SetActiveVersion},
      {"themes.dat", &CConfig::GetThemeVersion, &CConfig::SetThemeVersion},
  };
  CConfig* config = CConfig::GetConfig();
  int replaced = 0;
  for (const DataFile& file : kFiles) {
    std::string line;
    if (!std::getline(versions, line)) break;
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    const std::optional<DataVersionLine> entry = ParseDataVersionLine(line);
    if (!entry || entry->version <= (config->*file.get)()) continue;
    if (!fetch_(entry->url, folder + "\\" + file.name)) continue;
    (config->*file.set)(entry->version);
    ++replaced;
  }
  versions.close();
  DeleteFileA(tempFile);
  if (replaced) config->Save();
  return replaced;
}

}  // namespace hoistly
