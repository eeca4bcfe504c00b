#include "tools/upload_standin/upload_standin.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace mb::standin {

UploadStandin::UploadStandin(const StandinOptions& options)
    : store_(options.storeFolder),
      blockServer_(options.host, options.blockPort, upload::kBlockPacketSize,
                   [this](const unsigned char* packet) {
                     upload::BlockPacketBytes bytes;
                     std::memcpy(bytes.data(), packet, bytes.size());
                     store_.WriteBlock(bytes);
                   }),
      recordServer_(options.host, options.recordPort, upload::kImageRecordSize, [this](const unsigned char* packet) {
        upload::ImageRecordBytes bytes;
        std::memcpy(bytes.data(), packet, bytes.size());
        store_.AddRecord(CImageInfo::FromWire(bytes));
      }) {}

bool UploadStandin::Start(std::string& error) {
  return blockServer_.Start(error) && recordServer_.Start(error);
}

void UploadStandin::Stop() {
  blockServer_.Stop();
  recordServer_.Stop();
}

std::string UploadStandin::Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == '%' || c == 0x7F) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", u);
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

PacketServer* UploadStandin::ServerNamed(const std::string& name) {
  return name == "block" ? &blockServer_ : name == "record" ? &recordServer_ : nullptr;
}

std::vector<std::string> UploadStandin::SetBehaviour(const std::vector<std::string>& words) {
  if (words.size() < 3 || words.size() > 4) return {"error usage: set block|record <behaviour> [n]"};
  PacketServer* server = ServerNamed(words[1]);
  const std::optional<Behaviour> behaviour = ServerBehaviour::Parse(words[2]);
  if (!server || !behaviour) return {"error unknown server or behaviour"};
  std::optional<std::uint64_t> only;
  if (words.size() == 4) {
    char* end = nullptr;
    const unsigned long long n = std::strtoull(words[3].c_str(), &end, 10);
    if (*end != '\0' || n == 0) return {"error bad packet number"};
    only = n;
  }
  server->Behaviour().Set(*behaviour, only);
  std::string error;
  if (!server->ApplyListening(error)) return {"error " + error};
  return {"ok"};
}

std::vector<std::string> UploadStandin::SetNumber(const std::vector<std::string>& words) {
  PacketServer* server = words.size() == 3 ? ServerNamed(words[1]) : nullptr;
  char* end = nullptr;
  const unsigned long n = server ? std::strtoul(words[2].c_str(), &end, 10) : 0;
  if (!server || *end != '\0' || n > 600000) return {"error usage: " + words[0] + " block|record <number>"};
  if (words[0] == "delay") {
    server->Behaviour().SetReplyDelay(static_cast<std::uint32_t>(n));
    return {"ok"};
  }
  server->Behaviour().SetConnectionLimit(static_cast<std::uint32_t>(n));
  std::string error;
  if (!server->ApplyListening(error)) return {"error " + error};
  return {"ok"};
}

std::vector<std::string> UploadStandin::Execute(const std::string& command, bool& quit) {
  std::istringstream in(command);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.empty()) return {"error empty command"};
  const std::string& verb = words[0];
  std::vector<std::string> lines;
  if (verb == "reset") {
    std::string error;
    for (PacketServer* server : {&blockServer_, &recordServer_}) {
      server->Behaviour().Set(Behaviour::Normal);
      server->Behaviour().SetReplyDelay(0);
      server->Behaviour().SetConnectionLimit(0);
      if (!server->ApplyListening(error)) return {"error " + error};
      server->ResetCounters();
    }
    store_.Reset();
  } else if (verb == "set") {
    return SetBehaviour(words);
  } else if (verb == "delay" || verb == "limit") {
    return SetNumber(words);
  } else if (verb == "files") {
    for (const StoredFile& file : store_.Files()) {
      lines.push_back(std::to_string(file.size) + "\t" + Escape(file.remoteName) + "\t" + Escape(file.path));
    }
  } else if (verb == "records") {
    for (const CImageInfo& r : store_.Records()) {
      std::ostringstream line;
      line << Escape(r.GetUserNameA()) << '\t' << Escape(r.GetStoreHead()) << '\t' << Escape(r.GetFileName())
           << '\t' << r.GetImgArtID() << '\t' << r.GetUploadDate() << '\t' << r.GetImgSourceID() << '\t'
           << r.GetUploadType() << '\t' << r.GetSpecialNum() << '\t' << Escape(r.GetRemark()) << '\t'
           << Escape(r.GetTag()) << '\t' << Escape(r.GetTitle()) << '\t' << Escape(r.GetPix()) << '\t'
           << r.GetPK();
      lines.push_back(line.str());
    }
  } else if (verb == "blocks") {
    for (const ReceivedBlock& block : store_.Blocks()) {
      const upload::BlockHeader& h = block.header;
      std::ostringstream line;
      line << Escape(h.remoteName) << '\t' << h.offset << '\t' << h.count << '\t' << Escape(h.userName) << '\t'
           << Escape(h.dateFolder) << '\t' << Escape(h.minuteFolder) << '\t' << h.uploadType;
      lines.push_back(line.str());
    }
  } else if (verb == "stats") {
    for (auto [name, server] : {std::pair{"block", &blockServer_}, std::pair{"record", &recordServer_}}) {
      const ServerCounters c = server->Counters();
      lines.push_back(std::string(name) + "_connections " + std::to_string(c.connections));
      lines.push_back(std::string(name) + "_packets " + std::to_string(c.packets));
      lines.push_back(std::string(name) + "_answered " + std::to_string(c.answered));
    }
    lines.push_back("rejected_blocks " + std::to_string(store_.RejectedBlocks()));
  } else if (verb == "quit") {
    quit = true;
  } else {
    return {"error unknown command " + verb};
  }
  lines.push_back("ok");
  return lines;
}

}  // namespace mb::standin
