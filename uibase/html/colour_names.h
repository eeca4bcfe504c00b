// The colour names of the HTML subset: 140 fixed names and 28 that take the system's colours.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "uibase/html/html_types.h"

namespace mb::html {

// The system's colour for a colour index (the platform's COLOR_* numbering).
using SystemColours = std::function<Colour(int index)>;

class ColourNames {
 public:
  // The system names take their colours now, from system.
  explicit ColourNames(const SystemColours& system);
  // The colour of a lower-case name, or nullopt.
  std::optional<Colour> Find(std::string_view name) const;
  std::size_t Size() const { return colours_.size(); }

 private:
  std::map<std::string, Colour, std::less<>> colours_;
};

// Colour indices the drawer itself needs.
constexpr int kSysButtonFace = 15;
constexpr int kSysButtonShadow = 16;
constexpr int kSysButtonHighlight = 20;
constexpr int kSysWindowText = 8;

}  // namespace mb::html
