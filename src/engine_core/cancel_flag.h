// SPDX-License-Identifier: MIT
// A request, from any thread, that the work a session is doing stop: the loops that can run
// long (sampling a formula at many points) look at it between points and fail as cancelled.
#pragma once

#include <atomic>

namespace engine {

class CancelFlag {
 public:
  void Request() { requested_.store(true, std::memory_order_relaxed); }
  void Clear() { requested_.store(false, std::memory_order_relaxed); }
  // Relaxed: nothing is handed over with the request, and a loop sees it a few points later
  // at worst.
  bool requested() const { return requested_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> requested_{false};
};

}  // namespace engine
