// SPDX-License-Identifier: MIT
// The binary operators of formulas, and what they do when both operands are numbers.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "engine_core/formula_settings.h"
#include "engine_core/number_text.h"

namespace engine {

struct Core;

enum class BinaryOp { None, Pow, Mul, Div, IntDiv, Mod, Add, Sub, Eq, Lt, Gt, Ne, Le, Ge, And, Or, Xor };

// a ^ b. In double numbers a square is a * a, correctly rounded, where the C library's pow may
// be a unit off in the last place; classic numbers keep pow's value as it has always been.
inline double Power(double a, double b, bool exact) { return exact && b == 2.0 ? a * a : std::pow(a, b); }

// Whether a op b has no value: the divisor of "/", "\" or "mod" is zero.
[[gnu::always_inline]] inline bool Undefined(BinaryOp op, double b) {
  switch (op) {
    case BinaryOp::Div:
    case BinaryOp::IntDiv: return b == 0.0;
    case BinaryOp::Mod: return TruncToInt32(b) == 0;
    default: return false;
  }
}

// a op b for two numbers where it is defined (0 or a number of no meaning where Undefined), a
// true comparison worth boolSign; exact: double numbers. A plain double, apart from Undefined,
// and always inline: compiled formulas run it for every operator they apply, and keep its value
// in a processor register only when no optional wraps it.
[[gnu::always_inline]] inline double Operate(BinaryOp op, double a, double b, double boolSign, bool exact) {
  switch (op) {
    case BinaryOp::Pow: return Power(a, b, exact);
    case BinaryOp::Mul: return a * b;
    case BinaryOp::Div: return a / b;
    case BinaryOp::Add: return a + b;
    case BinaryOp::Sub: return a - b;
    // a \ b: the quotient truncated toward zero to 32 bits.
    case BinaryOp::IntDiv: return b == 0.0 ? 0.0 : TruncToInt32(a / b);
    case BinaryOp::Mod: {
      // The remainder of the 32-bit truncations, with the dividend's sign (-7 mod 3 is -1);
      // -1 divides everything, INT_MIN included.
      const std::int32_t divisor = TruncToInt32(b);
      if (divisor == 0 || divisor == -1) return 0.0;
      return TruncToInt32(a) % divisor;
    }
    case BinaryOp::And: return a != 0 && b != 0 ? 1.0 : 0.0;
    case BinaryOp::Or: return a != 0 || b != 0 ? 1.0 : 0.0;
    case BinaryOp::Xor: return (a != 0) != (b != 0) ? 1.0 : 0.0;
    case BinaryOp::Eq: return a == b ? boolSign : 0.0;
    case BinaryOp::Lt: return a < b ? boolSign : 0.0;
    case BinaryOp::Gt: return a > b ? boolSign : 0.0;
    case BinaryOp::Ne: return a != b ? boolSign : 0.0;
    case BinaryOp::Le: return a <= b ? boolSign : 0.0;
    case BinaryOp::Ge: return a >= b ? boolSign : 0.0;
    case BinaryOp::None: break;
  }
  return 0.0;
}

// a op b, or nothing where it is undefined.
inline std::optional<double> NumberResult(BinaryOp op, double a, double b, double boolSign, bool exact) {
  if (Undefined(op, b)) return std::nullopt;
  return Operate(op, a, b, boolSign, exact);
}

// Whether a formula's result is too large to be one: reported as an overflow (code 19), not
// returned. Classic numbers have always returned -infinity, which prints as "-1.#INF000000".
inline bool IsOverflow(const FormulaSettings& settings, double value) {
  return std::isinf(value) && (value > 0 || settings.exact());
}

// The same, a zero divisor setting code 8 and giving a back.
double NumberArithmetic(Core& core, BinaryOp op, double a, double b);

}  // namespace engine
