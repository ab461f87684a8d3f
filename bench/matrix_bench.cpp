// SPDX-License-Identifier: MIT
// Determinant, inverse and linear system for growing orders (the direct methods up to order 8,
// LU above), and a matrix formula evaluated one-shot.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "morvane.h"

namespace {

// A well-conditioned matrix: random entries with a dominant diagonal.
std::vector<double> TestMatrix(int n) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> entry(-1.0, 1.0);
  std::vector<double> a(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[static_cast<std::size_t>(i * n + j)] = entry(random) + (i == j ? n : 0);
  return a;
}

void Det(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> a = TestMatrix(n);
  double det = 0;
  for (auto _ : state) {
    aDet(a.data(), n, &det);
    benchmark::DoNotOptimize(det);
  }
}

void Inv(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> a = TestMatrix(n);
  std::vector<double> work(a.size());
  for (auto _ : state) {
    work = a;
    benchmark::DoNotOptimize(aInv(work.data(), n));
  }
}

void Sist(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> a = TestMatrix(n);
  std::vector<double> b(static_cast<std::size_t>(n), 1.0);
  std::vector<double> x(static_cast<std::size_t>(n));
  for (auto _ : state) benchmark::DoNotOptimize(aSist(a.data(), n, b.data(), x.data()));
}

// One-shot det([mA]*[mB]T) with 8 x 8 matrices defined from their text form.
void EvalMatrixFormula(benchmark::State& state) {
  ReSetEqParser();
  for (const char16_t* name : {u"[mA]", u"[mB]"}) {
    std::u16string text = std::u16string(name) + u";8;8";
    for (double x : TestMatrix(8)) text += u";" + std::u16string(std::to_string(x).begin(), std::to_string(x).end());
    SetStrMatrix(text.c_str(), 0, 0);
  }
  double value = 0;
  for (auto _ : state) {
    e_eval(u"det([mA]*[mB]T)", &value, 0);
    benchmark::DoNotOptimize(value);
  }
}

}  // namespace

BENCHMARK(Det)->Arg(3)->Arg(8)->Arg(32)->Arg(200);
BENCHMARK(Inv)->Arg(3)->Arg(8)->Arg(32)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(Sist)->Arg(3)->Arg(8)->Arg(32)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(EvalMatrixFormula);

BENCHMARK_MAIN();
