// SPDX-License-Identifier: MIT
// What every evaluator of the peers benchmark offers: an expression prepared once over shared
// variables, evaluated once to check it, and run many times to time it.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

namespace peers {

inline constexpr std::array<const char*, 7> kVariableNames = {"a", "b", "c", "x", "y", "z", "w"};

// The public benchmark's variables. Every evaluator reads the same instance, so one swap moves
// them all.
struct Variables {
  double a = 1.1, b = 2.2, c = 3.3, x = 2.123456, y = 3.123456, z = 4.123456, w = 5.123456;

  // In the order of kVariableNames.
  std::array<double*, kVariableNames.size()> Addresses() { return {&a, &b, &c, &x, &y, &z, &w}; }
  void Reset() { *this = Variables{}; }
  void Swap() {
    std::swap(a, b);
    std::swap(x, y);
  }
};

class Prepared {
 public:
  virtual ~Prepared() = default;
  // The value at the variables' current values; false, with the reason, when there is none.
  virtual bool Evaluate(double& value, std::string& why) = 0;
  // n evaluations, the variables swapped before each.
  virtual void Run(std::size_t n) = 0;
};

class Evaluator {
 public:
  virtual ~Evaluator() = default;
  // Null, with the reason, when the text is rejected.
  virtual std::unique_ptr<Prepared> Prepare(const std::string& text, std::string& why) = 0;
};

// The loop each evaluator's Run compiles in its own translation unit, so the call it times is
// inlined as a caller of that library would write it, and no indirect call is added per
// evaluation. The value is kept from the optimiser.
template <class Evaluation>
inline void RunSwapping(Variables& variables, std::size_t n, Evaluation&& evaluate) {
  for (std::size_t i = 0; i < n; ++i) {
    variables.Swap();
    double value = evaluate();
    benchmark::DoNotOptimize(value);
  }
}

}  // namespace peers
