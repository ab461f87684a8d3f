// SPDX-License-Identifier: MIT
// Random choices for generated test cases: our own distributions over mt19937_64's standard
// sequence, so that every standard library draws the same formulas from the same seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

namespace testing_support {

class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
  bool Percent(int p) { return Below(100) < static_cast<std::uint64_t>(p); }
  double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace testing_support
