// Calls into the client's small windows (the float window and the popup notices) that the tray
// menu makes. Each does nothing until its window exists in the program.
#pragma once

namespace mb {

// Shows or hides the float window.
void SetFloatWindowShown(bool shown);
// Starts the popup notices of a logged-in member.
void StartPopupThread();

}  // namespace mb
