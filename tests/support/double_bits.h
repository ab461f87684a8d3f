// SPDX-License-Identifier: MIT
// Comparing and printing doubles to the bit, for tests that hold two evaluations to each other.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace testing_support {

// Every NaN is the same result; otherwise -0 and +0 differ, as they do to atan2 and division.
inline bool SameBits(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The value in hexadecimal floating point, which shows every bit.
inline std::string Hex(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

}  // namespace testing_support
