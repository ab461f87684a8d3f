// SPDX-License-Identifier: MIT
// A million points: a compiled formula evaluated by morvane_formula_eval_array ("engine")
// beside a plain loop computing the same expression with the same C library functions, built
// here with the same compiler and flags ("peer"); and morvane_integrate beside the loop that
// sums the same samples. items/s are points per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "morvane/api.h"
#include "ratio_reporter.h"

namespace {

constexpr std::size_t kPoints = 1'000'000;

// x over [0.5, 3.5) and y over [1, 2): no point fails, no value is special.
struct Points {
  std::vector<double> x = std::vector<double>(kPoints);
  std::vector<double> y = std::vector<double>(kPoints);
  std::vector<double> results = std::vector<double>(kPoints);
  Points() {
    for (std::size_t i = 0; i < kPoints; ++i) {
      x[i] = 0.5 + 3.0 * static_cast<double>(i) / kPoints;
      y[i] = 1.0 + static_cast<double>(i % 1000) / 1000.0;
    }
  }
};

Points& Shared() {
  static Points points;
  return points;
}

void Ours(benchmark::State& state, const char* text) {
  Points& points = Shared();
  morvane_context* context = morvane_context_new();
  const char* const names[] = {"x", "y"};
  morvane_error error{};
  morvane_formula* formula = morvane_compile(context, text, names, 2, &error);
  const double* const inputs[] = {points.x.data(), points.y.data()};
  for (auto _ : state) {
    if (morvane_formula_eval_array(formula, inputs, kPoints, points.results.data(), nullptr, &error) != MORVANE_OK) {
      state.SkipWithError(error.message);
      break;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  morvane_formula_free(formula);
  morvane_context_free(context);
}

template <typename Expression>
void Loop(benchmark::State& state, Expression expression) {
  Points& points = Shared();
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPoints; ++i) points.results[i] = expression(points.x[i], points.y[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}

// x^2 is x*x in double numbers, as the compiled formula computes it.
double SquareSine(double x, double) { return x * x * std::sin(x); }
double Polynomial(double x, double y) { return x * x + y * y - 2 * x * y + 3.25 * x / y; }

void IntegrateOurs(benchmark::State& state) {
  morvane_context* context = morvane_context_new();
  morvane_error error{};
  double integral = 0;
  for (auto _ : state) {
    if (morvane_integrate(context, "x^2*sin(x)", "x", 0.0, 3.0, static_cast<int>(kPoints), MORVANE_MIDPOINT,
                          &integral, &error) != MORVANE_OK) {
      state.SkipWithError(error.message);
      break;
    }
    benchmark::DoNotOptimize(integral);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  morvane_context_free(context);
}

// The midpoint rule's samples, taken and summed as the library takes them.
void IntegrateLoop(benchmark::State& state) {
  const double a = 0.0;
  const double h = 3.0 / kPoints;
  for (auto _ : state) {
    double sum = 0;
    for (std::size_t i = 1; i <= kPoints; ++i) {
      const double x = ((a + static_cast<double>(i) * h) + (a + static_cast<double>(i - 1) * h)) / 2;
      sum += SquareSine(x, 0);
    }
    benchmark::DoNotOptimize(h * sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("engine/x^2*sin(x)", Ours, "x^2*sin(x)")->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/x^2*sin(x)", Loop<decltype(&SquareSine)>, &SquareSine)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("engine/x*x+y*y-2*x*y+3.25*x/y", Ours, "x*x+y*y-2*x*y+3.25*x/y")
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/x*x+y*y-2*x*y+3.25*x/y", Loop<decltype(&Polynomial)>, &Polynomial)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("engine/integrate x^2*sin(x)", IntegrateOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/integrate x^2*sin(x)", IntegrateLoop)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
