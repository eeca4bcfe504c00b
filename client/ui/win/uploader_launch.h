// The batch uploader's launch and hand-over. The uploader runs as a program of its own, started
// with the member's name as its whole command line; a running one is found by its window title
// and handed a picture with two messages. Every launch runs on a thread of its own that waits
// for the program, so the client's windows stay responsive.
#pragma once

#include <windows.h>

#include <string>

namespace mb {

// wParam 0, lParam 0: the uploader opens the picture its window text names.
constexpr UINT WM_OPEN_PICTURE_PATH = WM_USER + 999;
// The longest wait for the uploader's window to take one message.
constexpr UINT kUploaderMessageTimeoutMs = 5000;

// The uploader program in folder (the client's own folder, with or without a trailing '\\').
std::string BatchUploaderPath(const std::string& folder);

// Starts the uploader of folder hidden, with user alone as its command line, and waits for it
// to end. Missing program: "上传组件已丢失!" and false; a failed start: false, nothing shown.
bool LaunchBatchUploader(const std::string& folder, const std::string& user);

// The thread's body: the client's own uploader for the member logged in.
DWORD WINAPI RunUploaderThread(void* unused);
// Starts RunUploaderThread; the thread ends by itself and nobody waits for it.
void StartUploaderThread();

// Hands path to a running uploader window: the window text first, then WM_OPEN_PICTURE_PATH,
// each given up when the window does not answer in time. False when either was not taken.
bool HandPictureToUploader(HWND uploader, const std::string& path);

// The upload page's hand-over, on a thread of its own: a running uploader gets the picture
// (blanks trimmed; an empty or missing file starts the uploader, which comes forward instead);
// without one the uploader is started and its window looked for five times a second apart,
// then handed the picture. lookIntervalMs is the wait between looks.
void SendPictureToBatchUploader(std::string path, DWORD lookIntervalMs = 1000);

}  // namespace mb
