#include "tools/standin/control_channel.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace standin {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) words.push_back(line.substr(start, pos - start));
  }
  return words;
}

std::optional<int> Number(std::string_view word) {
  const std::string number(word);
  char* end = nullptr;
  const long value = std::strtol(number.c_str(), &end, 10);
  if (number.empty() || *end != '\0') return std::nullopt;
  return static_cast<int>(value);
}

// The rest of the line after the command, its '|' turned into LF-ended lines.
std::string BarListText(std::string_view line, std::string_view command) {
  std::string_view list = line.substr(line.find(command) + command.size());
  while (!list.empty() && (list.front() == ' ' || list.front() == '\t')) list.remove_prefix(1);
  std::string text;
  size_t pos = 0;
  while (pos < list.size()) {
    size_t bar = list.find('|', pos);
    if (bar == std::string_view::npos) bar = list.size();
    text.append(list.substr(pos, bar - pos)).append("\n");
    pos = bar + 1;
  }
  return text;
}

}  // namespace

std::string ControlChannel::Apply(std::string_view commands) {
  size_t pos = 0;
  while (pos <= commands.size()) {
    size_t end = commands.find('\n', pos);
    if (end == std::string_view::npos) end = commands.size();
    std::string_view line = commands.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string error = ApplyLine(line);
    if (!error.empty()) return error;
    pos = end + 1;
  }
  return {};
}

std::string ControlChannel::ApplyLine(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  if (words.empty()) return {};
  const std::string_view command = words[0];
  if (command == "fault" && words.size() == 3) {
    std::optional<Fault> fault = ParseFault(words[2]);
    if (!fault) return "unknown fault: " + std::string(words[2]);
    faults_.Set(std::string(words[1]), *fault);
    return {};
  }
  if (command == "clear" && words.size() == 1) {
    faults_.ClearAll();
    return {};
  }
  if (command == "release" && words.size() == 1) {
    faults_.ReleaseStalls();
    return {};
  }
  if (command == "charset" && words.size() == 2) {
    std::optional<ReplyCharset> charset = ParseReplyCharset(words[1]);
    if (!charset) return "unknown charset: " + std::string(words[1]);
    charset_ = *charset;
    return {};
  }
  if (command == "toplist-stamp" && words.size() == 2 && setTopListStamp_) {
    const std::optional<int> stamp = Number(words[1]);
    if (!stamp) return "bad stamp: " + std::string(words[1]);
    setTopListStamp_(*stamp);
    return {};
  }
  if (command == "adtime" && words.size() == 2 && setAdTime_) {
    const std::optional<int> seconds = Number(words[1]);
    if (!seconds) return "bad adtime: " + std::string(words[1]);
    setAdTime_(*seconds);
    return {};
  }
  if (command == "adverts" && setAdverts_) {
    setAdverts_(BarListText(line, command));
    return {};
  }
  if (command == "notices" && setNotices_) {
    setNotices_(BarListText(line, command));
    return {};
  }
  if (command == "installer" && words.size() == 2 && words[1] == "none") {
    installer_.Set({});
    return {};
  }
  if (command == "installer" && words.size() == 4) {
    if (words[3].empty() || words[3][0] != '/') return "a download path starts with '/': " + std::string(words[3]);
    installer_.Set({std::string(words[1]), std::string(words[2]), std::string(words[3])});
    return {};
  }
  return "bad command: " + std::string(line);
}

}  // namespace standin
