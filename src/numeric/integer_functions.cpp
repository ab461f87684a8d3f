// SPDX-License-Identifier: MIT
#include "numeric/integer_functions.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "engine_core/number_text.h"

namespace numeric {

// Euclid with the remainder taken in floating point and held in single precision, as it has
// always been computed; exact for every pair of 32-bit values whose remainders stay below 2^24,
// and magnitudes are taken in 64 bits, so -2^31 has one.
std::int32_t GCF(std::int32_t a, std::int32_t b) {
  std::int64_t x = std::llabs(a);
  std::int64_t y = std::llabs(b);
  if (x == y) return engine::TruncToInt32(static_cast<double>(x));
  if (x < y) std::swap(x, y);
  if (y == 0) return engine::TruncToInt32(static_cast<double>(x));
  for (;;) {
    const double q = std::trunc(static_cast<double>(x) / static_cast<double>(y));
    const auto r = static_cast<float>(static_cast<double>(x) - q * static_cast<double>(y));
    if (r == 0.0f) return engine::TruncToInt32(static_cast<double>(y));
    x = y;
    y = static_cast<std::int64_t>(std::llround(r));
    if (y <= 0) return 1;  // a remainder lost to rounding: no larger common factor is left
  }
}

std::int32_t LCM(std::int32_t a, std::int32_t b) {
  const std::int32_t g = GCF(a, b);
  if (g == 0) return 0;  // both zero: no common multiple but 0
  const double product = std::fabs(static_cast<double>(a / g) * static_cast<double>(b / g) * g);
  return engine::TruncToInt32(std::nearbyint(product));
}

std::int32_t IsPrime(std::int32_t n) {
  if (n < 2) return 0;
  if (n == 2) return -1;
  if (n % 2 == 0) return 0;
  if (n < 8) return -1;
  if (n % 3 == 0 || n % 5 == 0 || n % 7 == 0) return 0;
  if (n < 38) return -1;
  // Trial division by the numbers prime to 2, 3 and 5, thirty at a time.
  const auto limit = static_cast<std::int64_t>(std::llround(std::sqrt(static_cast<double>(n))));
  constexpr int kWheel[] = {11, 13, 17, 19, 23, 29, 31, 37};
  for (std::int64_t k = 0; k <= limit; k += 30)
    for (int offset : kWheel)
      if (n % (k + offset) == 0 && k + offset != n) return 0;
  return -1;
}

std::int32_t lIsPrime(std::int32_t n) {
  if (n % 2 == 0) return -1;
  std::int64_t bound = std::llabs(n);
  for (std::int64_t i = 3; i < bound; i += 2) {
    if (n % i == 0) return static_cast<std::int32_t>(i);
    bound = std::llabs(n) / i;
  }
  return -1;
}

double fact(std::int32_t n) {
  double product = 1.0;
  for (std::int32_t i = 2; i <= n && std::isfinite(product); ++i) product *= i;
  return product;
}

}  // namespace numeric
