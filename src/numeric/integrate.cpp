// SPDX-License-Identifier: MIT
#include "numeric/integrate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/point_evaluator.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace numeric {
namespace {

using engine::EvalError;

std::int32_t Refuse(engine::Engine& engine, EvalError code, std::u16string_view message) {
  engine.core.state.Fail(code);
  engine::ReportEvalError(engine.core, engine::site::kIntegrate, message);
  return engine.core.state.e_error;
}

// Each rule sums its samples in order and stops at the first that fails, so the integral is
// then made of the terms summed so far. Samples are taken in blocks, which lets a compiled
// formula evaluate a whole block at once.
constexpr std::int32_t kBlock = 256;

// use(k, f(point(k))) for k = 0, 1, ..., count - 1 in order, up to the first sample that fails;
// false when one did.
template <typename Point, typename Use>
bool ForEachSample(engine::PointEvaluator& f, std::int32_t count, Point point, Use use) {
  std::array<double, kBlock> xs;
  std::array<double, kBlock> ys;
  for (std::int32_t first = 0; first < count; first += kBlock) {
    const std::int32_t size = std::min(kBlock, count - first);
    for (std::int32_t k = 0; k < size; ++k) xs[static_cast<std::size_t>(k)] = point(first + k);
    const auto sized = static_cast<std::size_t>(size);
    const std::size_t good = f.AtEach(std::span(xs.data(), sized), std::span(ys.data(), sized));
    for (std::size_t k = 0; k < good; ++k) use(first + static_cast<std::int32_t>(k), ys[k]);
    if (good < sized) return false;
  }
  return true;
}

double Midpoint(engine::PointEvaluator& f, double a, double h, std::int32_t n) {
  double sum = 0.0;
  ForEachSample(
      f, n, [&](std::int32_t k) { const std::int32_t i = k + 1; return ((a + i * h) + (a + (i - 1) * h)) / 2; },
      [&](std::int32_t, double y) { sum += y; });
  return h * sum;
}

double Trapezoid(engine::PointEvaluator& f, double a, double b, double h, std::int32_t n) {
  double fa = 0.0;
  double fb = 0.0;
  if (!f.At(a, fa) || !f.At(b, fb)) return 0.0;
  double sum = 0.0;
  ForEachSample(
      f, n - 1, [&](std::int32_t k) { return a + (k + 1) * h; }, [&](std::int32_t, double y) { sum += y; });
  return h * ((fa + fb) / 2 + sum);
}

// Weights 1, 4, 2, 4, ..., 2, 4, 1: the ends and the last odd point, then pairs of odd and even
// points, a pair counting only when both of its samples succeed.
double Simpson(engine::PointEvaluator& f, double a, double b, double h, std::int32_t n) {
  double fa = 0.0;
  double fLastOdd = 0.0;
  double fb = 0.0;
  if (!f.At(a, fa) || !f.At(a + (n - 1) * h, fLastOdd) || !f.At(b, fb)) return 0.0;
  double sum = 0.0;
  double odd = 0.0;
  // Sample k is the odd point of pair i = k / 2 + 1 when k is even, its even point otherwise
  // (k is never negative, so the halving and the parity are shifts and masks).
  ForEachSample(
      f, 2 * (n / 2 - 1),
      [&](std::int32_t k) {
        const std::int32_t i = (k >> 1) + 1;
        return (k & 1) == 0 ? a + (2 * i - 1) * h : a + 2 * i * h;
      },
      [&](std::int32_t k, double y) {
        if ((k & 1) == 0) odd = y;
        else sum += 2 * odd + y;
      });
  return h / 3 * (fa + 4 * fLastOdd + fb + 2 * sum);
}

}  // namespace

std::int32_t Integrate(engine::Engine& engine, std::u16string_view formula, double a, double b,
                       std::int32_t n, Rule rule, std::u16string_view variable, double& result) {
  engine::Core& core = engine.core;
  core.state.Clear();
  if (rule == Rule::Simpson && n % 2 != 0) {
    core.state.e_error = kOddSimpsonIntervals;
    if (core.options.messageFlag != 0)
      core.platform.ShowMessage(u"Simpson's Rule requires that number of subintervals N be even.",
                                u"Solver", platform::Buttons::Ok);
    return kOddSimpsonIntervals;
  }
  if (n < 1) return Refuse(engine, EvalError::InvalidArgument, u"Number of subintervals below 1\r\n");
  if (!std::isfinite(a) || !std::isfinite(b))
    return Refuse(engine, EvalError::InvalidArgument, u"Bounds must be finite numbers\r\n");
  if (engine::Trim(variable).empty())
    return Refuse(engine, EvalError::InvalidArgument, u"Empty variable name\r\n");

  engine::PointEvaluator f(engine, formula, engine::Trim(variable));
  const double h = (b - a) / n;
  switch (rule) {
    case Rule::Midpoint: result = Midpoint(f, a, h, n); break;
    case Rule::Trapezoid: result = Trapezoid(f, a, b, h, n); break;
    case Rule::Simpson: result = Simpson(f, a, b, h, n); break;
  }
  return f.status();
}

double InterpLin(double x, double x1, double x2, double y1, double y2) {
  return y1 + (x - x1) / (x2 - x1) * (y2 - y1);
}

}  // namespace numeric
