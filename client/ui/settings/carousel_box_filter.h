// What the carousel time boxes (minutes and seconds) take: typed characters pass one by one,
// pasted text whole or not at all.
#pragma once

#include <string_view>

namespace mb::settings {

// The longest number a box holds.
constexpr int kCarouselBoxDigits = 5;

// A typed character the box keeps: the digits, "." and the control codes 1, 2, 8 (backspace),
// 9 (tab) and 20. Everything else, the minus sign included, is swallowed.
bool IsCarouselBoxCharacter(unsigned code);

// Pasted text the box takes: digits and "." only, at least one character.
bool IsCarouselBoxPaste(std::string_view text);

}  // namespace mb::settings
