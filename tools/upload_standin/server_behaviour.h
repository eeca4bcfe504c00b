// How one stand-in server treats the packets that reach it, changed at run time by the control
// channel: answer normally, refuse connections, stall (read but never answer), drop the
// connection instead of answering, or answer short (2 of the 4 bytes) and close. Drop and short
// apply to every packet, or only to the n-th packet counted from the moment they were set.
// Apart from these, every answer can come late by a fixed time (a far server's round trip), and
// the number of connections open at once can be limited (connections beyond it are refused).
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace mb::standin {

enum class Behaviour { Normal, Refuse, Stall, Drop, Short };

class ServerBehaviour {
 public:
  // What to do with the packet that has just arrived.
  enum class Action { Answer, Stall, Drop, Short };

  void Set(Behaviour behaviour, std::optional<std::uint64_t> onlyPacket = std::nullopt);
  Behaviour Current() const;
  Action NextPacket();

  // 0: answers at once.
  void SetReplyDelay(std::uint32_t milliseconds);
  std::uint32_t ReplyDelay() const;
  // 0: no limit.
  void SetConnectionLimit(std::uint32_t connections);
  std::uint32_t ConnectionLimit() const;

  // "normal", "refuse", "stall", "drop", "short"
  static std::optional<Behaviour> Parse(const std::string& word);

 private:
  mutable std::mutex mutex_;
  Behaviour behaviour_ = Behaviour::Normal;
  std::optional<std::uint64_t> onlyPacket_;
  std::uint64_t packetsSinceSet_ = 0;
  std::uint32_t replyDelayMs_ = 0;
  std::uint32_t connectionLimit_ = 0;
};

}  // namespace mb::standin
