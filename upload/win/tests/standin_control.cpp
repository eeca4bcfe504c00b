#include "upload/win/tests/standin_control.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace uploadtest {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

std::string Unescape(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      plain += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

}  // namespace

std::vector<std::string> StandinControl::Command(const std::string& command) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  std::vector<std::string> lines;
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(MB_UPLOAD_STANDIN_CONTROL_PORT);
  address.sin_addr.s_addr = inet_addr("127.0.0.1");
  std::string answer;
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = command + "\n";
    send(s, line.data(), static_cast<int>(line.size()), 0);
    // The answer ends with a line "ok" or "error ...".
    char buffer[65536];
    std::string pending;
    for (bool done = false; !done;) {
      const int n = recv(s, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      answer.append(buffer, n);
      pending.append(buffer, n);
      for (std::size_t end; !done && (end = pending.find('\n')) != std::string::npos;) {
        const std::string received = pending.substr(0, end);
        pending.erase(0, end + 1);
        lines.push_back(received);
        done = received == "ok" || received.rfind("error", 0) == 0;
      }
    }
  }
  closesocket(s);
  WSACleanup();
  if (lines.empty() || lines.back() != "ok") {
    ADD_FAILURE() << "stand-in command \"" << command << "\" failed: " << answer;
    return {};
  }
  lines.pop_back();
  return lines;
}

std::map<std::string, StoredFile> StandinControl::Files() {
  std::map<std::string, StoredFile> files;
  for (const std::string& line : Command("files")) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != 3) continue;
    StoredFile file;
    file.size = std::strtoull(fields[0].c_str(), nullptr, 10);
    // Wine shows the Linux root as drive Z:.
    file.windowsPath = "Z:" + Unescape(fields[2]);
    for (char& c : file.windowsPath) c = c == '/' ? '\\' : c;
    files[Unescape(fields[1])] = file;
  }
  return files;
}

std::vector<StoredRecord> StandinControl::Records() {
  std::vector<StoredRecord> records;
  for (const std::string& line : Command("records")) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() != 13) continue;
    StoredRecord r;
    r.userName = Unescape(f[0]);
    r.storeHead = Unescape(f[1]);
    r.fileName = Unescape(f[2]);
    r.imgArtId = std::strtoul(f[3].c_str(), nullptr, 10);
    r.uploadDate = std::strtoul(f[4].c_str(), nullptr, 10);
    r.imgSourceId = std::atoi(f[5].c_str());
    r.uploadType = std::atoi(f[6].c_str());
    r.specialNum = std::atoi(f[7].c_str());
    r.remark = Unescape(f[8]);
    r.tag = Unescape(f[9]);
    r.title = Unescape(f[10]);
    r.pix = Unescape(f[11]);
    r.pk = std::atoi(f[12].c_str());
    records.push_back(r);
  }
  return records;
}

std::vector<StoredBlock> StandinControl::Blocks() {
  std::vector<StoredBlock> blocks;
  for (const std::string& line : Command("blocks")) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() != 7) continue;
    StoredBlock b;
    b.remoteName = Unescape(f[0]);
    b.offset = std::strtoul(f[1].c_str(), nullptr, 10);
    b.count = std::strtoul(f[2].c_str(), nullptr, 10);
    b.userName = Unescape(f[3]);
    b.dateFolder = Unescape(f[4]);
    b.minuteFolder = Unescape(f[5]);
    b.uploadType = std::atoi(f[6].c_str());
    blocks.push_back(b);
  }
  return blocks;
}

std::uint64_t StandinControl::Counter(const std::string& name) {
  for (const std::string& line : Command("stats")) {
    if (line.rfind(name + " ", 0) == 0) return std::strtoull(line.c_str() + name.size() + 1, nullptr, 10);
  }
  ADD_FAILURE() << "no counter " << name;
  return 0;
}

std::string StandinControl::ReadStoredFile(const StoredFile& file) {
  std::ifstream in(file.windowsPath, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace uploadtest
