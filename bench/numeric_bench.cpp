// SPDX-License-Identifier: MIT
// Integration samples beside one-shot evaluation of the same formula with a number in place
// of the variable (items/s are samples or evaluations per second), and primality over a range.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "morvane.h"

namespace {

constexpr int32_t kSubintervals = 1000000;

void IntegrateRule(benchmark::State& state) {
  const auto method = static_cast<int32_t>(state.range(0));
  double integral = 0;
  for (auto _ : state) {
    Integrate(u"x^2*sin(x)", 0.0, 3.0, kSubintervals, method, u"x", &integral);
    benchmark::DoNotOptimize(integral);
  }
  // The midpoint rule samples n times, the others n + 1.
  const int64_t samples = kSubintervals + (method == 0 ? 0 : 1);
  state.SetItemsProcessed(state.iterations() * samples);
}

// What a sample evaluates: the formula with a ten-decimal value written in for x.
void OneShotSubstituted(benchmark::State& state) {
  double value = 0;
  for (auto _ : state) {
    e_eval(u"(1.2345678901)^2*sin((1.2345678901))", &value, 0);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}

void PrimesBelowMillion(benchmark::State& state) {
  for (auto _ : state) {
    int32_t primes = 0;
    for (int32_t n = 0; n < 1000000; ++n) primes += IsPrime(n) != 0 ? 1 : 0;
    benchmark::DoNotOptimize(primes);
  }
}

}  // namespace

BENCHMARK(IntegrateRule)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(OneShotSubstituted);
BENCHMARK(PrimesBelowMillion)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
