// The Windows tests' view of the stand-in upload servers: their control channel (a native program
// on 127.0.0.1) and what they stored, read through Wine's Z: drive.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace uploadtest {

struct StoredFile {
  std::uint64_t size = 0;
  std::string windowsPath;
};

struct StoredRecord {
  std::string userName, storeHead, fileName;
  unsigned imgArtId = 0, uploadDate = 0;
  int imgSourceId = 0, uploadType = 0, specialNum = 0;
  std::string remark, tag, title, pix;
  int pk = 0;
};

struct StoredBlock {
  std::string remoteName;
  std::uint32_t offset = 0, count = 0;
  std::string userName, dateFolder, minuteFolder;
  int uploadType = 0;
};

class StandinControl {
 public:
  // Sends one command; the answer's lines without the final "ok" (empty and a failed test when
  // the command failed).
  std::vector<std::string> Command(const std::string& command);
  void Reset() { Command("reset"); }
  void Set(const std::string& server, const std::string& behaviour) { Command("set " + server + " " + behaviour); }

  std::map<std::string, StoredFile> Files();  // by remote name
  std::vector<StoredRecord> Records();
  std::vector<StoredBlock> Blocks();
  std::uint64_t Counter(const std::string& name);
  std::string ReadStoredFile(const StoredFile& file);
};

}  // namespace uploadtest
