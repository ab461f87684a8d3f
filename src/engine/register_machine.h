// SPDX-License-Identifier: MIT
// The one loop that runs register code, for one value of each slot or for W at once. Register
// k holds its W values at registers[k * W ...] and the accumulator its W at acc; every step is
// applied to all of them before the next, so that choosing the step costs little per value, and
// with W = 1 each step is a single operation on a value the compiler keeps in a processor
// register. A failure (a zero divisor, a domain error) marks its lane and the lane computes on:
// the caller asks the text path why.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/arithmetic.h"
#include "engine/builtins.h"
#include "engine/list_functions.h"
#include "engine/register_code.h"

namespace engine {

// The values a step of this form reads first and second.
template <Step::Form form>
constexpr bool FirstInAccumulator = form == Step::Form::AR || form == Step::Form::AA;
template <Step::Form form>
constexpr bool SecondInAccumulator = form == Step::Form::RA || form == Step::Form::AA;

// Whether any of the n values is an infinity or a NaN: v * 0 is a NaN exactly then, and a sum
// keeps a NaN. Four pairs of sums, each pair a vector the loop keeps in a processor register, so
// that the additions neither wait on each other nor go through memory.
inline bool AnyNotFinite(const double* values, std::size_t n) {
  double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0, s5 = 0.0, s6 = 0.0, s7 = 0.0;
  const std::size_t whole = n / 8 * 8;
  for (std::size_t i = 0; i < whole; i += 8) {
    const double* v = values + i;
    s0 += v[0] * 0.0;
    s1 += v[1] * 0.0;
    s2 += v[2] * 0.0;
    s3 += v[3] * 0.0;
    s4 += v[4] * 0.0;
    s5 += v[5] * 0.0;
    s6 += v[6] * 0.0;
    s7 += v[7] * 0.0;
  }
  for (std::size_t i = whole; i < n; ++i) s0 += values[i] * 0.0;
  return std::isnan(((s0 + s1) + (s2 + s3)) + ((s4 + s5) + (s6 + s7)));
}

// The accumulator's lanes are never a register's, so each lane loop can be vectorised: restrict
// says so (a and b may be the same register, which is only read).
template <std::size_t W, BinaryOp op, Step::Form form>
[[gnu::always_inline]] inline void ApplyLanes(double* __restrict acc, const double* __restrict a,
                                              const double* __restrict b, char* __restrict failed,
                                              double boolSign, bool exact) {
  // A quotient by zero is not finite, so a block of quotients is divided at full speed and its
  // divisors looked at only when one is. (The other operators that can fail are rare.)
  constexpr bool markedAfter = op == BinaryOp::Div && W > 1;
  constexpr bool markedEach = (op == BinaryOp::Div || op == BinaryOp::IntDiv || op == BinaryOp::Mod) && !markedAfter;
  double divisors[markedAfter ? W : 1];
  for (std::size_t i = 0; i < W; ++i) {
    const double x = FirstInAccumulator<form> ? acc[i] : a[i];
    const double y = SecondInAccumulator<form> ? acc[i] : b[i];
    if constexpr (markedEach) failed[i] |= static_cast<char>(Undefined(op, y));
    if constexpr (markedAfter) divisors[i] = y;
    acc[i] = Operate(op, x, y, boolSign, exact);
  }
  if constexpr (markedAfter) {
    if (AnyNotFinite(acc, W))
      for (std::size_t i = 0; i < W; ++i) failed[i] |= static_cast<char>(divisors[i] == 0.0);
  }
}

template <std::size_t W, Step::Form form>
[[gnu::always_inline]] inline void Builtin2Lanes(int fn, double* __restrict acc, const double* __restrict a,
                                                 const double* __restrict b) {
  for (std::size_t i = 0; i < W; ++i)
    acc[i] = BuiltinValue2(fn, FirstInAccumulator<form> ? acc[i] : a[i], SecondInAccumulator<form> ? acc[i] : b[i]);
}

// One step, calling the one-argument built-ins of functions; gather holds the step's list of
// values when W > 1.
template <std::size_t W>
[[gnu::always_inline]] inline void ApplyStep(const Step& step, const BuiltinLanes* functions, bool exact,
                                             double* registers, double* acc, char* failed, double boolSign,
                                             double* gather) {
  using Form = Step::Form;
  const double* a = registers + step.a * W;
  const double* b = registers + step.b * W;
  switch (step.key) {
#define MORVANE_BINARY_FORM(name, form) \
  case Key(StepOp(BinaryOp::name), Form::form): \
    ApplyLanes<W, BinaryOp::name, Form::form>(acc, a, b, failed, boolSign, exact); \
    break;
#define MORVANE_BINARY_CASE(name) \
  MORVANE_BINARY_FORM(name, RR) MORVANE_BINARY_FORM(name, AR) MORVANE_BINARY_FORM(name, RA) MORVANE_BINARY_FORM(name, AA)
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
#undef MORVANE_BINARY_FORM
    case Key(Step::Op::Builtin2, Form::RR): Builtin2Lanes<W, Form::RR>(step.fn, acc, a, b); break;
    case Key(Step::Op::Builtin2, Form::AR): Builtin2Lanes<W, Form::AR>(step.fn, acc, a, b); break;
    case Key(Step::Op::Builtin2, Form::RA): Builtin2Lanes<W, Form::RA>(step.fn, acc, a, b); break;
    case Key(Step::Op::Builtin2, Form::AA): Builtin2Lanes<W, Form::AA>(step.fn, acc, a, b); break;
    case Key(Step::Op::Negate, Form::RR):
      for (std::size_t i = 0; i < W; ++i) acc[i] = -a[i];
      break;
    case Key(Step::Op::Negate, Form::AR):
      for (std::size_t i = 0; i < W; ++i) acc[i] = -acc[i];
      break;
    case Key(Step::Op::Not, Form::RR):
      for (std::size_t i = 0; i < W; ++i) acc[i] = static_cast<double>(~TruncToInt32(a[i]));
      break;
    case Key(Step::Op::Not, Form::AR):
      for (std::size_t i = 0; i < W; ++i) acc[i] = static_cast<double>(~TruncToInt32(acc[i]));
      break;
    case Key(Step::Op::Builtin, Form::RR):
    case Key(Step::Op::Builtin, Form::AR):
      if constexpr (W == 1) {
        // Through a value of its own, so that the accumulator's address is never taken.
        double value = step.form == Form::AR ? *acc : *a;
        functions[step.fn](&value, failed, 1);
        *acc = value;
      } else {
        if (step.form == Form::RR)
          for (std::size_t i = 0; i < W; ++i) acc[i] = a[i];
        functions[step.fn](acc, failed, W);
      }
      break;
    case Key(Step::Op::List, Form::RR):
      if constexpr (W == 1) {
        *acc = ListFunctionValue(step.list, std::span<const double>(a, step.b));
      } else {
        for (std::size_t i = 0; i < W; ++i) {
          for (std::size_t k = 0; k < step.b; ++k) gather[k] = a[k * W + i];
          acc[i] = ListFunctionValue(step.list, std::span<const double>(gather, step.b));
        }
      }
      break;
    case Key(Step::Op::Spill, Form::RR): std::copy_n(acc, W, registers + step.dst * W); break;
    case Key(Step::Op::Move, Form::RR): std::copy_n(a, W, registers + step.dst * W); break;
    default: break;  // never lowered
  }
}

// gather holds code.longestList values; it is only read when W > 1. Always inline: with W = 1
// the accumulator then lives in a processor register of the caller.
template <std::size_t W>
[[gnu::always_inline]] inline void Execute(const RegisterCode& code, double* registers, double* acc, char* failed,
                                           double boolSign, double* gather) {
  for (const Step& step : code.steps)
    ApplyStep<W>(step, code.functions.data(), code.exact, registers, acc, failed, boolSign, gather);
}

}  // namespace engine
