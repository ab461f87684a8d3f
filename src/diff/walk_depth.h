// SPDX-License-Identifier: MIT
// The bound on the recursive tree walks (derivative, printing, simplifying): a walk that goes
// too deep or writes too long a text ends the run as a too long formula, and every walk still
// open stops at once, so the cost of a hopeless formula stays bounded.
#pragma once

#include <cstdint>
#include <string>

#include "diff/diff_state.h"
#include "engine_core/scoped_depth.h"

namespace diff {

// 600 levels stay well inside a 1 MB stack, sanitizers included; a derivative text longer
// than 1M characters could never be parsed back into the node table anyway.
inline constexpr std::int32_t kMaxWalkDepth = 600;
inline constexpr std::size_t kMaxTextChars = std::size_t{1} << 20;

// Marks the run as too long (once) and tells the walks to stop.
void TooLong(Diff& d);

class WalkDepth {
 public:
  explicit WalkDepth(Diff& d) : d_(d), depth_(d.s.depth) {}

  // Whether this walk must stop (too deep here, or stopped elsewhere).
  bool stop() {
    if (!d_.s.tooLong && depth_.deeperThan(kMaxWalkDepth)) TooLong(d_);
    return d_.s.tooLong;
  }
  // The walk's text, or nothing once it or any other has grown too long.
  std::u16string checked(std::u16string text) {
    if (text.size() > kMaxTextChars) TooLong(d_);
    return d_.s.tooLong ? std::u16string() : std::move(text);
  }

 private:
  Diff& d_;
  engine::ScopedDepth depth_;
};

}  // namespace diff
