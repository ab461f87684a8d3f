// SPDX-License-Identifier: MIT
// A million points: a compiled formula evaluated by morvane_formula_eval_array ("engine")
// beside a plain loop computing the same expression with the same C library functions, built
// here with the same compiler and flags ("peer"); and morvane_integrate beside the loop that
// sums the same samples; and the public benchmark's main list, each expression beside a loop
// generated from it (expression_loops.h), with the geometric mean of the speed ratios. items/s
// are points per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "morvane/api.h"
#include "ratio_reporter.h"
#ifdef MORVANE_EXPRESSION_LOOPS
#include "expression_loops.h"
#endif

namespace {

constexpr std::size_t kPoints = 1'000'000;

// x over [0.5, 3.5) and y over [1, 2): no point fails, no value is special. The seven of the
// public benchmark (a, b, c, x, y, z, w) lie in ranges of their own, so that none of its
// expressions divides by zero or leaves a function's domain.
struct Points {
  std::vector<double> x = std::vector<double>(kPoints);
  std::vector<double> y = std::vector<double>(kPoints);
  std::vector<double> results = std::vector<double>(kPoints);
  std::vector<std::vector<double>> seven;
  Points() {
    for (std::size_t i = 0; i < kPoints; ++i) {
      x[i] = 0.5 + 3.0 * static_cast<double>(i) / kPoints;
      y[i] = 1.0 + static_cast<double>(i % 1000) / 1000.0;
    }
    for (const double start : {1.1, 2.5, 3.3, 2.1, 3.1, 4.1, 5.1}) {
      std::vector<double>& values = seven.emplace_back(kPoints);
      for (std::size_t i = 0; i < kPoints; ++i) values[i] = start + 0.3 * static_cast<double>(i % 997) / 997.0;
    }
  }
  std::vector<const double*> Seven() const {
    std::vector<const double*> columns;
    for (const std::vector<double>& values : seven) columns.push_back(values.data());
    return columns;
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

#ifdef MORVANE_EXPRESSION_LOOPS
constexpr const char* kSeven[] = {"a", "b", "c", "x", "y", "z", "w"};

void ListedOurs(benchmark::State& state, const bench::ExpressionLoop& loop) {
  Points& points = Shared();
  morvane_context* context = morvane_context_new();
  morvane_error error{};
  morvane_formula* formula = morvane_compile(context, loop.text, kSeven, std::size(kSeven), &error);
  const std::vector<const double*> columns = points.Seven();
  // The loop's values first, to be sure both compute the same.
  std::vector<double> expected(kPoints);
  loop.run(columns.data(), kPoints, expected.data());
  for (auto _ : state) {
    if (formula == nullptr ||
        morvane_formula_eval_array(formula, columns.data(), kPoints, points.results.data(), nullptr, &error) != MORVANE_OK) {
      state.SkipWithError(error.message);
      break;
    }
    benchmark::ClobberMemory();
  }
  for (std::size_t i = 0; i < kPoints && !state.error_occurred(); i += 997)
    if (!(std::fabs(points.results[i] - expected[i]) <= 1e-12 * std::fmax(1.0, std::fabs(expected[i])))) {
      state.SkipWithError("differs from the loop");
      break;
    }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  morvane_formula_free(formula);
  morvane_context_free(context);
}

void ListedLoop(benchmark::State& state, const bench::ExpressionLoop& loop) {
  Points& points = Shared();
  const std::vector<const double*> columns = points.Seven();
  for (auto _ : state) {
    loop.run(columns.data(), kPoints, points.results.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}

constexpr const char* kListed = "bench_expr.txt ";

void RegisterListed() {
  for (const bench::ExpressionLoop& loop : bench::ExpressionLoops()) {
    const std::string name = kListed + std::to_string(loop.line) + " " + loop.text;
    benchmark::RegisterBenchmark(("engine/" + name).c_str(), ListedOurs, loop)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("peer/" + name).c_str(), ListedLoop, loop)->Unit(benchmark::kMillisecond);
  }
}
#endif

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
#ifdef MORVANE_EXPRESSION_LOOPS
  RegisterListed();
#else
  std::printf("The public benchmark's list was not found at build time: its expressions are left out.\n");
#endif
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
#ifdef MORVANE_EXPRESSION_LOOPS
  const auto [mean, cases] = reporter.GeometricMeanSpeed(kListed);
  std::printf("\nbench_expr.txt: geometric mean of our speed over the loop's, %zu expressions: %.2fx\n", cases, mean);
#endif
  benchmark::Shutdown();
  return 0;
}
