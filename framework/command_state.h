// CommandState: when menu items and toolbar buttons are enabled and checked. Each command id has
// a rule; the frame applies the rules to a menu as it opens and to its toolbar when the message
// queue runs empty. A command without a rule is left as it is.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "framework/framework_api.h"

namespace fw {

class ToolBar;

struct CommandUi {
  bool enabled = true;
  bool checked = false;
};

class FW_API CommandState {
 public:
  using Rule = std::function<CommandUi()>;
  void Define(UINT id, Rule rule) { rules_[id] = std::move(rule); }
  bool Has(UINT id) const { return rules_.count(id) != 0; }
  CommandUi Query(UINT id) const;

  // The items of this menu and of its sub-menus.
  void Apply(HMENU menu) const;
  void Apply(const ToolBar& toolBar) const;

 private:
  std::map<UINT, Rule> rules_;
};

// Shorthands for rules.
inline CommandUi EnabledIf(bool enabled) { return {enabled, false}; }
inline CommandUi CheckedIf(bool checked, bool enabled = true) { return {enabled, checked}; }

}  // namespace fw
