// SPDX-License-Identifier: MIT
#include "exports/turn.h"

#include <chrono>
#include <thread>

namespace exports {
namespace {

// A number for each thread, never 0, handed out once per thread.
std::uint32_t ThisThread() {
  static std::atomic<std::uint32_t> next{0};
  thread_local const std::uint32_t number = next.fetch_add(1, std::memory_order_relaxed) + 1;
  return number;
}

}  // namespace

void Turn::lock() {
  const std::uint32_t me = ThisThread();
  // Only this thread ever writes its own number, so reading it means the turn is ours.
  if (owner_.load(std::memory_order_relaxed) == me) {
    ++depth_;
    return;
  }
  constexpr int kYields = 64;
  for (int tries = 0;; ++tries) {
    std::uint32_t none = 0;
    if (owner_.load(std::memory_order_relaxed) == 0 &&
        owner_.compare_exchange_weak(none, me, std::memory_order_acquire, std::memory_order_relaxed))
      break;
    if (tries < kYields) std::this_thread::yield();
    else std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  depth_ = 1;
}

void Turn::unlock() {
  if (--depth_ == 0) owner_.store(0, std::memory_order_release);
}

}  // namespace exports
