// SPDX-License-Identifier: MIT
#include "numeric/solvers.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "diff/differentiate.h"
#include "engine/engine.h"
#include "engine/point_evaluator.h"
#include "engine/substitution.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "numeric/poly_dydx.h"

namespace numeric {
namespace {

constexpr int kSearchRounds = 200;
constexpr int kNewtonSteps = 20;
constexpr double kCloseEnough = 3.0;

std::u16string Text(const engine::Engine& engine, double x) { return engine::ValueText(engine.core.settings.numbers, x); }

// f(x) with the variable set to x's text first; a failed evaluation leaves its code and the
// arithmetic goes on with 0.
double At(engine::PointEvaluator& f, double x) {
  double y = 0.0;
  f.At(x, y);
  return y;
}

constexpr auto kStored = engine::PointEvaluator::Binding::Stored;

// One round of the start search; true when it stops at x.
template <typename Magnitude>
bool SearchRound(double& x, Magnitude magnitude) {
  const double y0 = magnitude(x);
  x += 1;
  const double y1 = magnitude(x);
  if (y0 <= kCloseEnough) return true;
  if (y1 <= kCloseEnough) {
    x += 1;
    return true;
  }
  if (y1 < y0) x += 1;
  else if (y1 > y0) x -= 1;
  return false;
}

double Newton(engine::Engine& engine, std::u16string_view formula, std::u16string_view derivative,
              std::u16string_view variable, double x) {
  engine::PointEvaluator f(engine, formula, variable, kStored);
  engine::PointEvaluator dfdx(engine, derivative, variable, kStored);
  for (int step = 1; step <= kNewtonSteps; ++step) {
    const double y = At(f, x);
    const double slope = At(dfdx, x);
    x = slope == 0.0 ? x - y : x - y / slope;
    if (engine::DebugOn(engine.core.log))
      engine::DebugAdd(engine.core, engine::IntegerText(step) + u", " + Text(engine, x), u"", false);
  }
  return x;
}

}  // namespace

double dPolySolve(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable) {
  engine::PointEvaluator f(engine, formula, variable, kStored);
  double x = 0.0;
  auto magnitude = [&](double at) { return std::fabs(At(f, at)); };
  for (int round = 0; round < kSearchRounds && !SearchRound(x, magnitude); ++round) {
  }
  return x == 0.0 ? 1.0 : x;
}

std::int32_t NewtSolve(engine::Engine& engine, std::u16string_view formula,
                       std::u16string_view variable, double* result) {
  if (result == nullptr) {
    engine.core.state.Fail(engine::EvalError::ValueNotDefined);
    return engine.core.state.e_error;
  }
  *result = dPolySolve(engine, formula, variable);
  return engine.core.state.e_error;
}

double dSolve(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable) {
  const double start = dPolySolve(engine, formula, variable);
  return Newton(engine, formula, Poly_dydx(formula, variable), variable, start);
}

std::int32_t SolveD(engine::Engine& engine, diff::Diff& d, std::u16string_view formula,
                    std::u16string_view variable, double* result) {
  // The evaluator reads names in any case, the differentiator only as written: both texts go
  // to it lower-cased, so tan(T) in t, or SINH(x), differentiate as they evaluate.
  std::u16string derivative;
  diff::e_diff(d, engine::ToLower(formula), engine::ToLower(engine::Trim(variable)), derivative);
  if (!engine.core.state.ok() || result == nullptr) return -1;
  const double start = dPolySolve(engine, formula, variable);
  *result = Newton(engine, formula, EvaluatorSpelling(derivative), variable, start);
  return engine.core.state.e_error;
}

bool RootNear(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable, double x) {
  engine::PointEvaluator f(engine, formula, variable);
  double y = 0.0;
  if (!f.At(x, y)) return false;
  if (std::fabs(y) <= 1e-10) return true;
  // A step the 10-decimal reading of x still tells apart from x.
  const double step = 1e-9 * std::max(1.0, std::fabs(x));
  double below = 0.0;
  double above = 0.0;
  return f.At(x - step, below) && f.At(x + step, above) &&
         (std::signbit(below) != std::signbit(y) || std::signbit(y) != std::signbit(above));
}

std::u16string sPolyNewt(engine::Engine& engine, std::u16string_view formula,
                         std::u16string_view variable, std::int32_t maxRounds) {
  engine::PointEvaluator f(engine, formula, variable, kStored);
  double x = 0.0;
  // The ordinates compare by their integer parts: |y| <= 3 means an integer part in -3..3.
  auto magnitude = [&](double at) { return std::fabs(std::trunc(f.AtText(Text(engine, at)))); };
  for (std::int32_t round = 0; round < maxRounds && !SearchRound(x, magnitude); ++round) {
  }
  return Text(engine, x == 0.0 ? 1.0 : x);
}

std::u16string sSolve(engine::Engine& engine, std::u16string_view formula,
                      std::u16string_view variable, std::int32_t steps) {
  std::u16string x = sPolyNewt(engine, formula, variable, kSearchRounds);
  engine::PointEvaluator f(engine, formula, variable, kStored);
  engine::PointEvaluator dfdx(engine, Poly_dydx(formula, variable), variable, kStored);
  for (std::int32_t step = 0; step < std::max(steps, 1); ++step) {
    const double y = f.AtText(x);
    const double slope = dfdx.AtText(x);
    x = Text(engine, engine::ParseDecimal(x) - y / slope);
  }
  return x;
}

std::u16string EvaluatorSpelling(std::u16string_view text) {
  static constexpr std::u16string_view kSpellings[][2] = {
      {u"tg", u"tan"},      {u"ctg", u"cotan"},       {u"arctg", u"atan"},    {u"arctan", u"atan"},
      {u"arcctg", u"arccotan"}, {u"sh", u"sinh"},     {u"ch", u"cosh"},       {u"th", u"tanh"},
      {u"tgh", u"tanh"},    {u"cth", u"cotanh"},      {u"ctgh", u"cotanh"},   {u"sign", u"sgn"},
  };
  std::u16string out(text);
  for (const auto& spelling : kSpellings) {
    if (out.find(spelling[0]) == std::u16string::npos) continue;
    out = engine::ReplaceIdentifier(out, spelling[0], spelling[1]);
  }
  return out;
}

}  // namespace numeric
