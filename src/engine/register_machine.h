// SPDX-License-Identifier: MIT
// The one loop that runs register code, for one value of each slot or for W at once. Register
// k holds its W values at registers[k * W ...]; every step is applied to all of them before the
// next, so that choosing the step costs little per value, and with W = 1 each step is a single
// operation. A failure (a zero divisor, a domain error) marks its lane and the lane computes on:
// the caller asks the text path why.
#pragma once

#include <array>
#include <cstddef>

#include "engine/arithmetic.h"
#include "engine/builtins.h"
#include "engine/list_functions.h"
#include "engine/register_code.h"

namespace engine {

template <std::size_t W, BinaryOp op>
[[gnu::always_inline]] inline void ApplyLanes(double* d, const double* a, const double* b, char* failed,
                                              double boolSign, bool exact) {
  for (std::size_t i = 0; i < W; ++i) {
    const std::optional<double> value = NumberResult(op, a[i], b[i], boolSign, exact);
    failed[i] |= static_cast<char>(!value);
    d[i] = value.value_or(0.0);
  }
}

// gather holds code.longestList values; it is only read when W > 1.
template <std::size_t W>
void Execute(const RegisterCode& code, double* registers, char* failed, double boolSign, double* gather) {
  const bool exact = code.exact;
  for (const Step& step : code.steps) {
    double* d = registers + step.dst * W;
    const double* a = registers + step.a * W;
    const double* b = registers + step.b * W;
    switch (step.op) {
#define MORVANE_BINARY_CASE(name) \
  case StepOp(BinaryOp::name): ApplyLanes<W, BinaryOp::name>(d, a, b, failed, boolSign, exact); break;
      MORVANE_BINARY_CASE(Pow)
      MORVANE_BINARY_CASE(Mul)
      MORVANE_BINARY_CASE(Div)
      MORVANE_BINARY_CASE(IntDiv)
      MORVANE_BINARY_CASE(Mod)
      MORVANE_BINARY_CASE(Add)
      MORVANE_BINARY_CASE(Sub)
      MORVANE_BINARY_CASE(Eq)
      MORVANE_BINARY_CASE(Lt)
      MORVANE_BINARY_CASE(Gt)
      MORVANE_BINARY_CASE(Ne)
      MORVANE_BINARY_CASE(Le)
      MORVANE_BINARY_CASE(Ge)
      MORVANE_BINARY_CASE(And)
      MORVANE_BINARY_CASE(Or)
      MORVANE_BINARY_CASE(Xor)
#undef MORVANE_BINARY_CASE
      case StepOp(BinaryOp::None): break;  // never lowered
      case Step::Op::Negate:
        for (std::size_t i = 0; i < W; ++i) d[i] = -a[i];
        break;
      case Step::Op::Not:
        for (std::size_t i = 0; i < W; ++i) d[i] = static_cast<double>(~TruncToInt32(a[i]));
        break;
      case Step::Op::Move:
        for (std::size_t i = 0; i < W; ++i) d[i] = a[i];
        break;
      case Step::Op::Builtin:
        if (d != a)
          for (std::size_t i = 0; i < W; ++i) d[i] = a[i];
        code.functions[step.fn](d, failed, W);
        break;
      case Step::Op::Builtin2:
        for (std::size_t i = 0; i < W; ++i) d[i] = BuiltinValue2(step.fn, a[i], b[i]);
        break;
      case Step::Op::List:
        if constexpr (W == 1) {
          *d = ListFunctionValue(step.list, std::span<const double>(a, step.b));
        } else {
          for (std::size_t i = 0; i < W; ++i) {
            for (std::size_t k = 0; k < step.b; ++k) gather[k] = a[k * W + i];
            d[i] = ListFunctionValue(step.list, std::span<const double>(gather, step.b));
          }
        }
        break;
    }
  }
}

}  // namespace engine
