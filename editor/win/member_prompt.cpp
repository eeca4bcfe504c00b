#include "editor/win/member_prompt.h"

#include <utility>

namespace mb::editor {

const char kSystemMessageTitle[] = "墨岚屏[Pelora]-系统消息";

namespace {
PromptFunction& CurrentPrompt() {
  static PromptFunction prompt;
  return prompt;
}
}  // namespace

int AskMember(HWND owner, const std::string& text, UINT type) {
  if (CurrentPrompt()) return CurrentPrompt()(owner, text, type);
  return MessageBoxA(owner, text.c_str(), kSystemMessageTitle, type);
}

PromptFunction SetPromptFunction(PromptFunction prompt) {
  PromptFunction previous = std::move(CurrentPrompt());
  CurrentPrompt() = std::move(prompt);
  return previous;
}

}  // namespace mb::editor
