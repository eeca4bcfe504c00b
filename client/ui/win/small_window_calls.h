// Calls into the client's small windows (the float window, the popup notices, the picture
// preview and view, the carousel time dialog) that the tray menu and the pages make; each is
// defined beside its window, so the callers need none of their classes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mb {

// Shows or hides the float window.
void SetFloatWindowShown(bool shown);
// Starts the popup notices of a logged-in member; StopPopupThread ends them (bounded wait).
void StartPopupThread();
void StopPopupThread();

// The modal preview of pictures over the active window, stepping through them in turn; nothing
// when paths is empty.
void ShowPicturePreview(const std::vector<std::string>& paths);

// The modal carousel time dialog over owner; true when the member left it with OK.
bool ShowCarouselTimeDialog(HWND owner);

// A child window of parent at rect that shows one picture stretched over it (white until a
// picture is loaded); it belongs to its parent and goes with it. Null on failure.
HWND CreatePictureView(HWND parent, const RECT& rect, int id);
// Loads path into a view made by CreatePictureView; an unreadable picture shows white.
void LoadPictureView(HWND view, const std::string& path);

}  // namespace mb
