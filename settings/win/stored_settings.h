// The settings pages' values as CConfig holds them, and an apply plan carried out on CConfig.
#pragma once

#include "settings/core/settings_apply.h"

namespace mb::settings {

SettingsValues StoredSettings();

// Writes the applied pages' values into CConfig, saves what the plan says and sends its messages
// to the program's main window (when there is one).
void CarryOut(const ApplyPlan& plan);

}  // namespace mb::settings
