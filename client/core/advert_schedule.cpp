#include "client/core/advert_schedule.h"

#include <cstdlib>

#include "client/core/path_text.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr std::size_t kAdvertFields = 9;

std::vector<std::string> NonEmptyFields(std::string_view line) {
  std::vector<std::string> fields;
  for (std::string& field : GbkSplit(line, ",")) {
    if (!field.empty()) fields.push_back(std::move(field));
  }
  return fields;
}

std::int32_t AtoiValue(const std::string& text) { return static_cast<std::int32_t>(std::atoi(text.c_str())); }

}  // namespace

std::string AdvertUrlExtension(std::string_view url) {
  std::size_t end = url.size();
  for (char mark : {'?', '#'}) {
    const std::size_t at = GbkFind(url.substr(0, end), mark);
    if (at != std::string_view::npos) end = at;
  }
  const std::string name = GetFileNamePart(url.substr(0, end));
  const std::size_t dot = GbkFindLast(name, '.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::vector<AdSlot> ParseAdvertList(std::string_view text, const std::string& programFolder) {
  std::vector<AdSlot> slots;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string> f = NonEmptyFields(line);
    if (f.size() < kAdvertFields) continue;
    AdSlot slot;
    slot.pictureUrl = f[0];
    slot.pictureName = f[1];
    slot.hoverText = f[2];
    slot.startMinute = AtoiValue(f[3]);
    slot.endMinute = AtoiValue(f[4]);
    slot.left = AtoiValue(f[5]);
    slot.right = AtoiValue(f[6]);
    slot.top = AtoiValue(f[7]);
    slot.bottom = AtoiValue(f[8]);
    const std::string extension = AdvertUrlExtension(slot.pictureUrl);
    const std::string fileName = slot.pictureName + "." + extension;
    if (extension.empty() || !IsSafeLocalName(slot.pictureName) || !IsSafeLocalName(fileName)) continue;
    slot.localPath = programFolder + "conf\\" + fileName;
    slots.push_back(std::move(slot));
  }
  return slots;
}

const AdSlot* FindAdSlot(const std::vector<AdSlot>& slots, int minuteOfDay) {
  for (const AdSlot& slot : slots) {
    if (slot.startMinute <= minuteOfDay && minuteOfDay <= slot.endMinute) return &slot;
  }
  return nullptr;
}

void AdvertSchedule::Replace(std::vector<AdSlot> slots) {
  std::lock_guard<std::mutex> hold(lock_);
  slots_.swap(slots);
}

std::vector<AdSlot> AdvertSchedule::Slots() const {
  std::lock_guard<std::mutex> hold(lock_);
  return slots_;
}

AdvertChoice AdvertSchedule::Choose(int minuteOfDay) const {
  std::lock_guard<std::mutex> hold(lock_);
  AdvertChoice choice;
  if (const AdSlot* slot = FindAdSlot(slots_, minuteOfDay)) {
    choice.picturePath = slot->localPath;
    choice.hoverText = slot->hoverText;
    choice.left = slot->left;
    choice.top = slot->top;
    choice.right = slot->right;
    choice.bottom = slot->bottom;
  }
  return choice;
}

std::string OverlayFileNames::Next(const std::string& programFolder) {
  const bool even = count_.fetch_add(1) % 2 == 0;
  return programFolder + (even ? "wallpaper\\ads0.bmp" : "wallpaper\\ads1.bmp");
}

}  // namespace mb
