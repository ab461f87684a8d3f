// SPDX-License-Identifier: MIT
#include "diff/simplify.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "diff/rules.h"
#include "diff/walk_depth.h"
#include "engine_core/core.h"
#include "engine_core/number_text.h"

namespace diff {
namespace {

DiffNode& Node(Diff& d, std::int32_t n) { return d.s.t[static_cast<std::size_t>(n)]; }

std::optional<double> NumberAt(Diff& d, std::int32_t n) {
  if (n == 0 || Node(d, n).opCode != kNumber) return std::nullopt;
  return engine::ParseDecimal(Node(d, n).con);
}

bool Is(Diff& d, std::int32_t n, double k) {
  std::optional<double> value = NumberAt(d, n);
  return value && *value == k;
}

// n becomes the number node with text `text`.
std::int32_t FoldText(Diff& d, std::int32_t n, std::u16string text) {
  Node(d, n) = DiffNode{kNumber, std::move(text), 0, 0};
  return n;
}

// Folding never changes meaning: a value without a number text (a constant outside a
// function's domain, an overflow) stays written out.
std::int32_t Fold(Diff& d, std::int32_t n, double value) {
  if (!std::isfinite(value)) return n;
  return FoldText(d, n, NumberText(d, value));
}

double ExpE(double x) { return std::pow(2.71828182845905, x); }

// A function of a constant argument in double numbers: the C library's functions.
std::int32_t FoldFunctionExact(Diff& d, std::int32_t n, double x) {
  switch (Node(d, n).opCode) {
    case kCos: return Fold(d, n, std::cos(x));
    case kSin: return Fold(d, n, std::sin(x));
    case kTg: return Fold(d, n, std::tan(x));
    case kCtg: return Fold(d, n, 1 / std::tan(x));
    case kAbs: return Fold(d, n, std::fabs(x));
    case kSqrt: return Fold(d, n, std::sqrt(x));
    case kLn: return Fold(d, n, std::log(x));
    case kExp: return Fold(d, n, std::exp(x));
    case kArcsin: return Fold(d, n, std::asin(x));
    case kArccos: return Fold(d, n, std::acos(x));
    case kArctg: return Fold(d, n, std::atan(x));
    case kArcctg: return Fold(d, n, std::numbers::pi / 2 - std::atan(x));
    case kSh: return Fold(d, n, std::sinh(x));
    case kCh: return Fold(d, n, std::cosh(x));
    case kTh: return Fold(d, n, std::tanh(x));
    case kCth: return Fold(d, n, 1 / std::tanh(x));
    case kLog10: return Fold(d, n, std::log10(x));
    default: return n;
  }
}

// A function of a constant argument; sgn and heaviside write their literal texts.
std::int32_t FoldFunction(Diff& d, std::int32_t n, double x) {
  const std::int32_t code = Node(d, n).opCode;
  if (d.core.settings.exact() && code != kSgn && code != kHeaviside) return FoldFunctionExact(d, n, x);
  const double e = ExpE(x);
  const double eNeg = ExpE(-x);
  switch (code) {
    case kCos: return Fold(d, n, std::cos(x));
    case kSin: return Fold(d, n, std::sin(x));
    case kTg: return Fold(d, n, std::sin(x) / std::cos(x));
    case kCtg: return Fold(d, n, std::cos(x) / std::sin(x));
    case kAbs: return Fold(d, n, std::fabs(x));
    case kSgn: return FoldText(d, n, x > 0 ? u"1" : x < 0 ? u"-1" : u"0");
    case kSqrt: return Fold(d, n, std::sqrt(x));
    case kLn: return Fold(d, n, std::log(x));
    case kExp: return Fold(d, n, e);
    case kArcsin: return Fold(d, n, std::atan(x / std::sqrt(1 - x * x)));
    case kArccos: return Fold(d, n, std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0));
    case kArctg: return Fold(d, n, std::atan(x));
    case kArcctg: return Fold(d, n, 1.5707963705062866 - std::atan(x));
    case kSh: return Fold(d, n, (e - eNeg) / 2);
    case kCh: return Fold(d, n, (e + eNeg) / 2);
    case kTh: return Fold(d, n, (e - eNeg) / (e + eNeg));
    case kCth: return Fold(d, n, (e + eNeg) / (e - eNeg));
    case kHeaviside: return FoldText(d, n, x >= 0 ? u"1" : u"0");
    case kLog10: return Fold(d, n, std::log(x) / std::numbers::ln10);
    default: return n;
  }
}

// a^b for numbers: e^(b ln|a|), negated for a negative base and an exponent that is not even;
// in double numbers the C library's pow.
double Power(const Diff& d, double a, double b) {
  if (d.core.settings.exact()) return std::pow(a, b);
  double v = ExpE(b * std::log(std::fabs(a)));
  if (a < 0 && std::nearbyint(b / 2) != b / 2) v = -v;
  return v;
}

std::int32_t DivisionByZero(Diff& d, std::int32_t n) {
  DiffError(d, u"Division by zero.");
  d.core.state.e_error = kDivisionByZero;
  return n;
}

}  // namespace

std::int32_t Diff_Simplify(Diff& d, std::int32_t n) {
  if (n == 0) return 0;
  WalkDepth walk(d);
  if (walk.stop()) return n;
  const std::int32_t code = Node(d, n).opCode;
  if (code == kNumber || code == kName) return n;
  if (Node(d, n).l != 0) {
    const std::int32_t l = Diff_Simplify(d, Node(d, n).l);
    Node(d, n).l = l;
  }
  if (Node(d, n).r != 0) {
    const std::int32_t r = Diff_Simplify(d, Node(d, n).r);
    Node(d, n).r = r;
  }
  const std::int32_t l = Node(d, n).l;
  const std::int32_t r = Node(d, n).r;
  const std::optional<double> a = NumberAt(d, l);
  const std::optional<double> b = NumberAt(d, r);
  switch (code) {
    case kPlus:
      if (a && b) return Fold(d, n, *a + *b);
      if (Is(d, l, 0)) return r;
      if (Is(d, r, 0)) return l;
      return n;
    case kMinus:
      if (a && b) return Fold(d, n, *a - *b);
      if (Is(d, l, 0)) {
        Node(d, n) = DiffNode{kNegate, u"", r, 0};
        return n;
      }
      if (Is(d, r, 0)) return l;
      return n;
    case kTimes:
      if (a && b) return Fold(d, n, *a * *b);
      if (Is(d, l, 0) || Is(d, r, 0)) return FoldText(d, n, u"0");
      if (Is(d, l, 1)) return r;
      if (Is(d, r, 1)) return l;
      return n;
    case kDivide:
      if (Is(d, r, 0)) return DivisionByZero(d, n);
      if (a && b) return Fold(d, n, *a / *b);
      if (Is(d, l, 0)) return FoldText(d, n, u"0");
      if (Is(d, r, 1)) return l;
      return n;
    case kNegate:
      if (a) return Fold(d, n, -*a);
      return n;
    case kPower:
      if (Is(d, l, 0) && b && *b < 0) return DivisionByZero(d, n);  // 0^-2 is 1/0^2
      if (Is(d, l, 0)) return FoldText(d, n, u"0");
      if (Is(d, r, 0)) return FoldText(d, n, u"1");
      if (a && b) return Fold(d, n, Power(d, *a, *b));
      if (Is(d, r, 1)) return l;
      return n;
    default:
      if (code >= kCos && code <= kLog10 && a) return FoldFunction(d, n, *a);
      return n;
  }
}

}  // namespace diff
