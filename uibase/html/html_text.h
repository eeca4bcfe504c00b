// The HTML subset as text: preparation (entities, line structure, the body wrapper), the cut of a
// prepared text into runs and tags, and the reading of a tag's name and attributes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mb::html {

// Replaces the character entities in one pass from left to right (so "&amp;lt;" becomes
// "&lt;"), removes carriage returns, turns line feeds and tabs into "<br>" and "<t>" when
// keepLineStructure is on (else drops them) and wraps the text in "<body>" and "</body>".
std::string PrepareText(std::string_view text, bool keepLineStructure = true);

struct Token {
  enum Kind { kRun, kTag };
  Kind kind = kRun;
  std::string text;  // a run's text ("<<" already made "<"), or a tag's text between < and >
};

// Runs and tags in order. A "<" with no ">" after it is dropped.
std::vector<Token> Tokenise(std::string_view prepared);

struct TagText {
  std::string name;  // lower-cased, without the leading "/"
  bool closing = false;
  std::string attributes;  // what follows the name, leading spaces trimmed
};

TagText SplitTag(std::string_view tagText);

// Attribute names and values in the order written; a name without "=" has an empty value.
using Attributes = std::vector<std::pair<std::string, std::string>>;
Attributes ParseAttributes(std::string_view text);
// The last value given to name (compared exactly), or nullptr.
const std::string* FindAttribute(const Attributes& attributes, std::string_view name);

// Position of the next letter, digit or "." at or after pos (at a character boundary); a
// double-byte character is neither.
std::size_t SkipToWordStart(std::string_view text, std::size_t pos);

}  // namespace mb::html
