// Waiting for something another thread does (the sound thread, a driver's
// output file), with a deadline so that a hang fails the test instead.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Polls `done` every 10 ms until it holds, for at most `limit`.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::steady_clock::duration limit = std::chrono::seconds(30)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}
