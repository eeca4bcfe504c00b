// The message boxes of the picture editor and its dialogs, all titled "墨岚屏[Pelora]-系统消息".
// One replaceable function shows them, so tests can answer without a modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace mb::editor {

extern const char kSystemMessageTitle[];

// Shows text with the MessageBox type flags and returns the button pressed.
using PromptFunction = std::function<int(HWND owner, const std::string& text, UINT type)>;

int AskMember(HWND owner, const std::string& text, UINT type);
// Replaces the box for this process (null puts the system's box back); returns the previous one.
PromptFunction SetPromptFunction(PromptFunction prompt);

}  // namespace mb::editor
