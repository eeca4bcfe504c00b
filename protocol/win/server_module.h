// The library's module: its handle and the count of objects and locks that keep it loaded.
#pragma once

#include <windows.h>

namespace mb {

class ServerModule {
 public:
  static HINSTANCE Instance();
  static void SetInstance(HINSTANCE instance);
  static void Lock();
  static void Unlock();
  static bool InUse();
};

}  // namespace mb
