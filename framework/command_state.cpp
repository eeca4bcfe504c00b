#include "framework/command_state.h"

#include "framework/tool_bar.h"

namespace fw {

CommandUi CommandState::Query(UINT id) const {
  const auto found = rules_.find(id);
  return found == rules_.end() ? CommandUi{} : found->second();
}

void CommandState::Apply(HMENU menu) const {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      Apply(sub);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1) || !Has(id)) continue;
    const CommandUi ui = Query(id);
    EnableMenuItem(menu, i, MF_BYPOSITION | (ui.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, i, MF_BYPOSITION | (ui.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void CommandState::Apply(const ToolBar& toolBar) const {
  const int count = toolBar.ButtonCount();
  for (int i = 0; i < count; ++i) {
    const UINT id = toolBar.ButtonId(i);
    if (!Has(id)) continue;
    const CommandUi ui = Query(id);
    toolBar.EnableButton(id, ui.enabled);
    toolBar.CheckButton(id, ui.checked);
  }
}

}  // namespace fw
