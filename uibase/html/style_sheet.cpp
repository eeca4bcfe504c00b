#include "uibase/html/style_sheet.h"

#include "common/gbk_text.h"
#include "uibase/html/html_text.h"

namespace mb::html {

namespace {

constexpr std::pair<std::string_view, std::string_view> kDefaultSheet[] = {
    {"body", "font-size: 10pt; color:black; font-family:Verdana"},
    {"p", "font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h1", "font-size: 14pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h2", "font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
    {"h3", "font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold"},
    {"h4", "font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
    {"h5", "font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
    {"h6", "font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal"},
    {"pre", "font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb"},
    {"code", "color:#990000; font-family:Arial"},
    {"a:link", "text-decoration:none; color:blue"},
    {"a:hover", "text-decoration:underline; color:blue"},
    {"sub", "font-size:65%; vertical-align:bottom"},
    {"sup", "font-size:65%; vertical-align:top"},
    {"big", "font-size:125%"},
    {"small", "font-size:75%"},
    {".cpp-comment", "color:green; font-style:italic"},
};

std::size_t FindSingle(std::string_view text, std::size_t pos, std::string_view set) {
  for (; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (GbkCharLength(text, pos) == 1 && set.find(text[pos]) != std::string_view::npos) return pos;
  }
  return text.size();
}

}  // namespace

void StyleSheet::SetStyle(std::string_view selector, std::string_view declarations) {
  std::string key = GbkToLowerAscii(selector);
  for (auto& entry : entries_) {
    if (entry.first == key) {
      entry.second = std::string(declarations);
      return;
    }
  }
  entries_.emplace_back(std::move(key), std::string(declarations));
}

const std::string* StyleSheet::GetStyle(std::string_view selector) const {
  const std::string key = GbkToLowerAscii(selector);
  for (const auto& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

void StyleSheet::SetSheet(std::optional<std::string_view> text) {
  entries_.clear();
  if (!text) {
    for (const auto& [selector, declarations] : kDefaultSheet) SetStyle(selector, declarations);
    return;
  }
  const std::string_view sheet = *text;
  std::size_t pos = SkipToWordStart(sheet, 0);
  while (pos < sheet.size()) {
    const std::size_t selectorEnd = FindSingle(sheet, pos, " {");
    const std::string_view selector = sheet.substr(pos, selectorEnd - pos);
    const std::size_t open = FindSingle(sheet, selectorEnd, "{");
    if (open >= sheet.size()) break;
    const std::size_t close = FindSingle(sheet, open + 1, "}");
    const std::string_view declarations = sheet.substr(open + 1, close - open - 1);
    if (!declarations.empty()) SetStyle(selector, declarations);
    if (close >= sheet.size()) break;
    pos = SkipToWordStart(sheet, close + 1);
  }
}

}  // namespace mb::html
