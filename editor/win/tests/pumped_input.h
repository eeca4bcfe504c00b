// Real input for windows of the test's own thread that run a loop of their own while the member
// acts (a rubber band, a window dragged by its surface, a popup menu): the input comes from another
// thread while this one keeps dispatching.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "tests/winkit/winkit.h"

inline void WhilePumping(const std::function<void()>& member) {
  std::atomic<bool> done{false};
  std::thread input([&] {
    member();
    done = true;
  });
  while (!done) winkit::PumpMessages(20);
  input.join();
  winkit::PumpMessages(100);
}
