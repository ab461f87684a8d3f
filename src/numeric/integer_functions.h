// SPDX-License-Identifier: MIT
// Number-theory helpers on 32-bit integers, and the factorial.
#pragma once

#include <cstdint>

namespace numeric {

// Greatest common factor of |a| and |b|; GCF(a, 0) is |a|, GCF(0, 0) is 0.
std::int32_t GCF(std::int32_t a, std::int32_t b);
// Least common multiple, non-negative; 0 when either is 0; saturates at the 32-bit limit.
std::int32_t LCM(std::int32_t a, std::int32_t b);
// -1 when n is prime, else 0.
std::int32_t IsPrime(std::int32_t n);
// The smallest odd divisor of n from 3 up, or -1 (for even n, 1 and odd primes).
std::int32_t lIsPrime(std::int32_t n);
// n! in double precision; 1 for n < 2; infinite from 171 on.
double fact(std::int32_t n);

}  // namespace numeric
