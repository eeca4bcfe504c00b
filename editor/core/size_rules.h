// The size dialog's arithmetic: the other side that keeps the proportions, and which sizes a
// picture may be resampled to.
#pragma once

#include <optional>
#include <string>

namespace mb::editor {

// The other side's text when one side is typed as typedText and proportions are kept: with this
// side's starting length start and the other's startOther, the other is startOther / (start /
// typed) written as "%.0f" (startOther itself when typed equals start). Nothing when the typed
// text is not a positive number or a starting length is not positive.
std::optional<std::string> ProportionalSide(const std::string& typedText, int start, int startOther);

// A size the picture may take: both sides at least 1 and within the image layer's caps.
bool IsAcceptablePictureSize(int width, int height);

// The whole of a decimal text as an int; nothing for other text or a value out of range.
std::optional<int> ParseSide(const std::string& text);

}  // namespace mb::editor
