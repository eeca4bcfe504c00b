// The stand-in upload servers: the block server and the record server on their wire ports, the
// store of what arrived, and the commands that the control channel accepts:
//   reset                              forget everything received, both servers back to normal
//   set block|record <behaviour> [n]   normal, refuse, stall, drop or short (n: only the n-th packet)
//   delay block|record <ms>            every answer that late (0: at once)
//   limit block|record <n>             at most n connections at once, more are refused (0: no limit)
//   files                              size, remote name and path of every rebuilt file
//   records                            the decoded picture records, one per line
//   blocks                             remote name, offset, count, user, folders, upload type per packet
//   stats                              connection and packet counters of both servers
//   quit                               ends the program
// Answers are lines; texts in them are percent-escaped (%, control characters, tab); the last line
// is "ok" or begins with "error".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/upload_standin/packet_server.h"
#include "tools/upload_standin/upload_store.h"

namespace mb::standin {

struct StandinOptions {
  std::string host = "127.0.0.1";
  std::uint16_t blockPort = upload::kBlockWirePort;
  std::uint16_t recordPort = upload::kRecordWirePort;
  std::string storeFolder;
};

class UploadStandin {
 public:
  explicit UploadStandin(const StandinOptions& options);

  bool Start(std::string& error);
  void Stop();

  // Runs one control command; sets quit when the program should end.
  std::vector<std::string> Execute(const std::string& command, bool& quit);

  UploadStore& Store() { return store_; }
  PacketServer& BlockServer() { return blockServer_; }
  PacketServer& RecordServer() { return recordServer_; }

  static std::string Escape(const std::string& text);

 private:
  std::vector<std::string> SetBehaviour(const std::vector<std::string>& words);
  std::vector<std::string> SetNumber(const std::vector<std::string>& words);
  PacketServer* ServerNamed(const std::string& name);

  UploadStore store_;
  PacketServer blockServer_;
  PacketServer recordServer_;
};

}  // namespace mb::standin
