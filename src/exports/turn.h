// SPDX-License-Identifier: MIT
// Turns on a session for callers on several threads: one thread at a time, and that thread
// again as often as it re-enters (a run pumps window messages whose handlers may call an export,
// and some exports are made of others).
#pragma once

#include <atomic>
#include <cstdint>

namespace exports {

// Taking a free turn is one compare-and-swap and giving it back one plain store, so a caller
// alone on the session pays little for it. A caller that has to wait yields, and after a while
// sleeps in short steps: turns are one export call, and a long run is rare.
class Turn {
 public:
  void lock();
  void unlock();

 private:
  std::atomic<std::uint32_t> owner_{0};  // the holding thread's number, 0 for none
  std::uint32_t depth_ = 0;              // how often the holder has entered; the holder's alone
};

}  // namespace exports
