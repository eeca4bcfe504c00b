// The batch uploader's launch from the main window: a thread of its own that starts the program
// and waits for it, so the window stays responsive.
#pragma once

#include <windows.h>

namespace mb {

// The thread's body; its result is the thread's exit code.
DWORD WINAPI RunUploaderThread(void* unused);
// Starts RunUploaderThread; the thread ends by itself and nobody waits for it.
void StartUploaderThread();

}  // namespace mb
