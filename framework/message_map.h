// A window's message map: one handler per message, per command id or per notification.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "framework/framework_api.h"

namespace fw {

struct Message {
  UINT id;
  WPARAM wParam;
  LPARAM lParam;
};

// Notifications and owner-draw messages that a parent leaves unhandled are sent on to the child
// control that sent them as kReflectBase + the original message id.
constexpr UINT kReflectBase = WM_USER + 0x1C00;

using MessageHandler = std::function<LRESULT(const Message&)>;
using CommandHandler = std::function<void(UINT code, HWND control)>;
using NotifyHandler = std::function<LRESULT(NMHDR*)>;

class FW_API MessageMap {
 public:
  void OnMessage(UINT message, MessageHandler handler) { messages_[message] = std::move(handler); }
  // Any notification code from the control or menu item id.
  void OnCommand(UINT id, CommandHandler handler) { commands_[id] = std::move(handler); }
  // One notification code only; takes precedence over OnCommand for that code.
  void OnCommandCode(UINT id, UINT code, CommandHandler handler) {
    commandCodes_[{id, code}] = std::move(handler);
  }
  void OnNotify(UINT id, UINT code, NotifyHandler handler) { notifies_[{id, code}] = std::move(handler); }

  // Runs the handler of the message, if any; false when the map has none.
  bool Dispatch(const Message& message, LRESULT& result) const;

 private:
  std::map<UINT, MessageHandler> messages_;
  std::map<UINT, CommandHandler> commands_;
  std::map<std::pair<UINT, UINT>, CommandHandler> commandCodes_;
  std::map<std::pair<UINT, UINT>, NotifyHandler> notifies_;
};

}  // namespace fw
