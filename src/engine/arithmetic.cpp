// SPDX-License-Identifier: MIT
#include "engine/arithmetic.h"

#include <cmath>

#include "engine_core/core.h"
#include "engine_core/number_text.h"

namespace engine {
namespace {

double DivisionByZero(Core& core, const ReportSite& site, double a) {
  if (!core.state.ok()) return a;
  core.state.Fail(EvalError::DivisionByZero);
  ReportEvalError(core, site, u"");
  return a;
}

bool Holds(BinaryOp op, double a, double b) {
  switch (op) {
    case BinaryOp::Eq: return a == b;
    case BinaryOp::Lt: return a < b;
    case BinaryOp::Gt: return a > b;
    case BinaryOp::Ne: return a != b;
    case BinaryOp::Le: return a <= b;
    case BinaryOp::Ge: return a >= b;
    default: return false;
  }
}

}  // namespace

double NumberArithmetic(Core& core, BinaryOp op, double a, double b) {
  switch (op) {
    case BinaryOp::Pow: return std::pow(a, b);
    case BinaryOp::Mul: return a * b;
    case BinaryOp::Div: return b == 0.0 ? DivisionByZero(core, site::kNumberDivision, a) : a / b;
    case BinaryOp::Add: return a + b;
    case BinaryOp::Sub: return a - b;
    // a \ b: the quotient truncated toward zero to 32 bits.
    case BinaryOp::IntDiv: return b == 0.0 ? DivisionByZero(core, site::kParser, a) : TruncToInt32(a / b);
    case BinaryOp::Mod: {
      // The remainder of the 32-bit truncations, with the dividend's sign (-7 mod 3 is -1);
      // -1 divides everything, INT_MIN included.
      const std::int32_t divisor = TruncToInt32(b);
      if (divisor == 0) return DivisionByZero(core, site::kParser, a);
      return divisor == -1 ? 0.0 : TruncToInt32(a) % divisor;
    }
    case BinaryOp::And: return a != 0 && b != 0 ? 1.0 : 0.0;
    case BinaryOp::Or: return a != 0 || b != 0 ? 1.0 : 0.0;
    case BinaryOp::Xor: return (a != 0) != (b != 0) ? 1.0 : 0.0;
    default: return Holds(op, a, b) ? core.state.BoolSign : 0.0;
  }
}

}  // namespace engine
