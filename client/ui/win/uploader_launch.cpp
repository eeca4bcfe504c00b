#include "client/ui/win/uploader_launch.h"

namespace mb {

DWORD WINAPI RunUploaderThread(void*) {
  // The uploader's start and hand-over come with the batch uploader's own work.
  return 0;
}

void StartUploaderThread() {
  if (HANDLE thread = CreateThread(nullptr, 0, RunUploaderThread, nullptr, 0, nullptr)) CloseHandle(thread);
}

}  // namespace mb
