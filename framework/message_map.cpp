#include "framework/message_map.h"

namespace fw {

bool MessageMap::Dispatch(const Message& message, LRESULT& result) const {
  if (auto it = messages_.find(message.id); it != messages_.end()) {
    result = it->second(message);
    return true;
  }
  if (message.id == WM_COMMAND) {
    const UINT id = LOWORD(message.wParam);
    const UINT code = HIWORD(message.wParam);
    HWND control = reinterpret_cast<HWND>(message.lParam);
    if (auto it = commandCodes_.find({id, code}); it != commandCodes_.end()) {
      it->second(code, control);
      result = 0;
      return true;
    }
    if (auto it = commands_.find(id); it != commands_.end()) {
      it->second(code, control);
      result = 0;
      return true;
    }
  }
  if (message.id == WM_NOTIFY && message.lParam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(message.lParam);
    if (auto it = notifies_.find({static_cast<UINT>(header->idFrom), header->code}); it != notifies_.end()) {
      result = it->second(header);
      return true;
    }
  }
  return false;
}

}  // namespace fw
