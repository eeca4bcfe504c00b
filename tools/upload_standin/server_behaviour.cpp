#include "tools/upload_standin/server_behaviour.h"

namespace mb::standin {

void ServerBehaviour::Set(Behaviour behaviour, std::optional<std::uint64_t> onlyPacket) {
  std::lock_guard<std::mutex> lock(mutex_);
  behaviour_ = behaviour;
  onlyPacket_ = onlyPacket;
  packetsSinceSet_ = 0;
}

Behaviour ServerBehaviour::Current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return behaviour_;
}

void ServerBehaviour::SetReplyDelay(std::uint32_t milliseconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  replyDelayMs_ = milliseconds;
}

std::uint32_t ServerBehaviour::ReplyDelay() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return replyDelayMs_;
}

void ServerBehaviour::SetConnectionLimit(std::uint32_t connections) {
  std::lock_guard<std::mutex> lock(mutex_);
  connectionLimit_ = connections;
}

std::uint32_t ServerBehaviour::ConnectionLimit() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return connectionLimit_;
}

ServerBehaviour::Action ServerBehaviour::NextPacket() {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::uint64_t number = ++packetsSinceSet_;
  const bool applies = !onlyPacket_ || *onlyPacket_ == number;
  switch (behaviour_) {
    case Behaviour::Stall:
      return Action::Stall;
    case Behaviour::Drop:
      return applies ? Action::Drop : Action::Answer;
    case Behaviour::Short:
      return applies ? Action::Short : Action::Answer;
    case Behaviour::Normal:
    case Behaviour::Refuse:
      break;
  }
  return Action::Answer;
}

std::optional<Behaviour> ServerBehaviour::Parse(const std::string& word) {
  if (word == "normal") return Behaviour::Normal;
  if (word == "refuse") return Behaviour::Refuse;
  if (word == "stall") return Behaviour::Stall;
  if (word == "drop") return Behaviour::Drop;
  if (word == "short") return Behaviour::Short;
  return std::nullopt;
}

}  // namespace mb::standin
