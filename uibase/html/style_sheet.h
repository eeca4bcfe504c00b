// The drawer's style sheet: lower-cased selectors ("h1", "a:hover", ".cpp-comment") with the
// text of their declarations.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mb::html {

class StyleSheet {
 public:
  StyleSheet() { SetSheet(std::nullopt); }

  // Stores or replaces the declarations of the selector (lower-cased).
  void SetStyle(std::string_view selector, std::string_view declarations);
  // The declarations of the lower-cased selector, or nullptr.
  const std::string* GetStyle(std::string_view selector) const;
  // Replaces the whole sheet by the one written in text; no text installs the default sheet.
  void SetSheet(std::optional<std::string_view> text);

  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace mb::html
