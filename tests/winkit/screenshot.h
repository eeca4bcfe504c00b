// Pictures of our own windows, for tests to check pixel by pixel and for people to look at.
// Under Wine a top-level window draws into a surface of its own, so the picture shows what the
// window painted even where another window covers it on the screen.
#pragma once

#include <windows.h>

#include <string>

#include "tests/winkit/rgb_image.h"

namespace winkit {

// The client area as painted now (paints still pending are done first); pixel (0, 0) is the
// client area's top left. An empty image when the window cannot be captured.
RgbImage CaptureClientArea(HWND window);

// The whole window, frame and caption included; pixel (0, 0) is the window's top left corner.
RgbImage CaptureWindow(HWND window);

// CaptureWindow written as a PNG file; false when nothing was captured or the file not written.
bool CaptureWindowToPng(HWND window, const std::string& path);

// <windows build>/screenshots/<name>.png, the folder made when missing.
std::string ScreenshotPath(const std::string& name);
// The client area written there; the picture is returned for pixel checks.
RgbImage SaveClientScreenshot(HWND window, const std::string& name);

}  // namespace winkit
