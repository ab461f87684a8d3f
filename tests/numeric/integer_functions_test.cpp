// SPDX-License-Identifier: MIT
// GCF, LCM, the two primality tests and the factorial, against independent references.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "numeric/integer_functions.h"

namespace {

using numeric::GCF;
using numeric::IsPrime;
using numeric::LCM;
using numeric::lIsPrime;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Smallest prime factor of n >= 2 by plain trial division.
std::int64_t SmallestFactor(std::int64_t n) {
  for (std::int64_t d = 2; d * d <= n; ++d)
    if (n % d == 0) return d;
  return n;
}

TEST(IntegerFunctionsTest, KnownValues) {
  struct Pair {
    std::int32_t a, b, gcf, lcm;
  };
  const Pair pairs[] = {{-12, 18, 6, 36}, {7, 7, 7, 7},   {0, 9, 9, 0},     {-9, 0, 9, 0},
                        {0, 0, 0, 0},     {4, 6, 2, 12},  {-4, 6, 2, 12},   {-4, -6, 2, 12}};
  for (const Pair& p : pairs) {
    EXPECT_EQ(GCF(p.a, p.b), p.gcf) << p.a << ", " << p.b;
    EXPECT_EQ(LCM(p.a, p.b), p.lcm) << p.a << ", " << p.b;
  }
  for (std::int32_t n : {2, 3, 5, 7, 37, 41}) EXPECT_EQ(IsPrime(n), -1) << n;
  for (std::int32_t n : {529, 1, 0, -7, 49, 121, 841}) EXPECT_EQ(IsPrime(n), 0) << n;
  const std::int32_t odd[][2] = {{91, 7}, {97, -1}, {10, -1}, {9, 3}, {25, 5}, {1, -1}};
  for (const auto& c : odd) EXPECT_EQ(lIsPrime(c[0]), c[1]) << c[0];
}

TEST(IntegerFunctionsTest, PrimalityAgreesWithSieve) {
  constexpr std::int32_t kLimit = 200000;
  std::vector<std::int32_t> smallest(kLimit + 1, 0);  // smallest prime factor
  for (std::int32_t i = 2; i <= kLimit; ++i)
    if (smallest[static_cast<std::size_t>(i)] == 0)
      for (auto j = static_cast<std::size_t>(i); j <= kLimit; j += static_cast<std::size_t>(i))
        if (smallest[j] == 0) smallest[j] = i;
  for (std::int32_t n = 0; n <= kLimit; ++n) {
    const std::int32_t p = smallest[static_cast<std::size_t>(n)];
    const bool prime = n >= 2 && p == n;
    ASSERT_EQ(IsPrime(n), prime ? -1 : 0) << n;
    ASSERT_EQ(lIsPrime(n), prime || n < 2 || n % 2 == 0 ? -1 : p) << n;
  }
  for (std::int32_t n = -1000; n < 0; ++n) ASSERT_EQ(IsPrime(n), 0) << n;
}

TEST(IntegerFunctionsTest, PrimalityNearTheTopOfTheRange) {
  std::vector<std::int64_t> values;
  int primes = 0;
  int composites = 0;
  for (std::int64_t n = kMax; primes < 150 || composites < 150; n -= 2) {
    const bool isPrime = SmallestFactor(n) == n;
    if (isPrime ? primes++ < 150 : composites++ < 150) values.push_back(n);
  }
  // Products of two primes close to the square root of 2^31: the largest trial divisors.
  std::vector<std::int64_t> rootPrimes;
  for (std::int64_t p = 46341; rootPrimes.size() < 12; --p)
    if (SmallestFactor(p) == p) rootPrimes.push_back(p);
  for (std::int64_t p : rootPrimes)
    for (std::int64_t q : rootPrimes)
      if (p <= q) values.push_back(p * q);
  values.push_back(46349LL * 46327);  // one factor just above the square root
  ASSERT_EQ(values.front(), kMax);  // 2^31 - 1 is prime
  for (std::int64_t n : values) {
    ASSERT_LE(n, kMax);
    const std::int64_t p = SmallestFactor(n);
    EXPECT_EQ(IsPrime(static_cast<std::int32_t>(n)), p == n ? -1 : 0) << n;
    EXPECT_EQ(lIsPrime(static_cast<std::int32_t>(n)), p == n ? -1 : p) << n;
  }
}

TEST(IntegerFunctionsTest, GcfAndLcmAgreeWithStandardLibrary) {
  std::mt19937 rng(20240611u);
  std::uniform_int_distribution<std::int32_t> moderate(-99999, 99999);
  std::uniform_int_distribution<std::int32_t> factor(1, 400);
  std::uniform_int_distribution<std::int32_t> cofactor(-250, 250);
  int lcmCompared = 0;
  for (int i = 0; i < 4000; ++i) {
    std::int32_t a = moderate(rng);
    std::int32_t b = moderate(rng);
    if (i % 2 == 1) {  // a large common factor
      const std::int32_t g = factor(rng);
      a = g * cofactor(rng);
      b = g * cofactor(rng);
    }
    if (i % 50 == 0) a = 0;
    ASSERT_EQ(GCF(a, b), std::gcd(a, b)) << a << ", " << b;
    const std::int64_t lcm = std::lcm(std::int64_t{a}, std::int64_t{b});
    if (lcm <= kMax) {
      ASSERT_EQ(LCM(a, b), lcm) << a << ", " << b;
      ++lcmCompared;
    }
  }
  EXPECT_GT(lcmCompared, 2000);
  // Exact whenever the smaller magnitude is below 2^24, however large the other.
  std::uniform_int_distribution<std::int32_t> any(kMin + 1, kMax);
  std::uniform_int_distribution<std::int32_t> below24(-(1 << 24) + 1, (1 << 24) - 1);
  for (int i = 0; i < 2000; ++i) {
    const std::int32_t a = any(rng);
    const std::int32_t b = below24(rng);
    ASSERT_EQ(GCF(a, b), std::gcd(a, b)) << a << ", " << b;
  }
}

TEST(IntegerFunctionsTest, ExtremesHaveMagnitudesAndNeverTrap) {
  EXPECT_EQ(GCF(kMin, 6), 2);
  EXPECT_EQ(GCF(6, kMin), 2);
  EXPECT_EQ(GCF(kMin, 3), 1);
  EXPECT_EQ(GCF(kMin, 1 << 20), 1 << 20);
  EXPECT_EQ(GCF(kMin, -(1 << 30)), 1 << 30);
  EXPECT_EQ(GCF(kMin, kMax), 1);
  EXPECT_EQ(LCM(-(1 << 30), 2), 1 << 30);
  EXPECT_EQ(LCM(kMin, 3), kMax);  // 3 * 2^31 saturates
  EXPECT_EQ(LCM(65536, 65537), kMax);
  const std::int32_t edges[] = {kMin, kMin + 1, -46341, -1, 0, 1, 2, 46341, kMax - 1, kMax};
  for (std::int32_t a : edges) {
    EXPECT_EQ(IsPrime(a), a == 2 || a == kMax ? -1 : 0) << a;
    const std::int32_t odd = lIsPrime(a);
    EXPECT_TRUE(odd == -1 || (odd >= 3 && a % odd == 0)) << a;
    for (std::int32_t b : edges) {
      EXPECT_GE(GCF(a, b), 0) << a << ", " << b;
      EXPECT_GE(LCM(a, b), 0) << a << ", " << b;
    }
  }
}

TEST(IntegerFunctionsTest, Factorial) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<std::int32_t, double> cases[] = {
      {5, 120},    {0, 1},   {1, 1},     {-3, 1},  {kMin, 1}, {20, 2432902008176640000.0},
      {170, 7.257415615307994e306},     {171, inf}, {kMax, inf}};
  for (const auto& [n, value] : cases) EXPECT_DOUBLE_EQ(numeric::fact(n), value) << n;
}

}  // namespace
