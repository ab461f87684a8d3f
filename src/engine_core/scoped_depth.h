// SPDX-License-Identifier: MIT
// The one guard of every recursion that text can drive (the parser, the differentiator's parser
// and its tree walks): a level counted for as long as the call lives, so that a limit checked
// against the count ends a hostile input before the stack does.
#pragma once

#include <cstdint>

namespace engine {

class ScopedDepth {
 public:
  explicit ScopedDepth(std::int32_t& depth) : depth_(depth) { ++depth_; }
  ~ScopedDepth() { --depth_; }
  ScopedDepth(const ScopedDepth&) = delete;
  ScopedDepth& operator=(const ScopedDepth&) = delete;

  bool deeperThan(std::int32_t limit) const { return depth_ > limit; }

 private:
  std::int32_t& depth_;
};

}  // namespace engine
