// SPDX-License-Identifier: MIT
// The evaluator's error codes. Callers see the numbers, so each one is fixed explicitly.
#pragma once

#include <cstdint>

namespace engine {

enum class EvalError : std::int32_t {
  None = -1,
  Undefined = 0,
  AmbiguousFunction = 1,
  EvaluatorSyntax = 2,
  ParserSyntax = 3,
  UndefinedFunction = 4,
  ValueNotDefined = 5,
  TokenMatch = 6,
  NotFound = 7,
  DivisionByZero = 8,
  NotInteger = 9,
  ConditionNotFound = 10,
  WrongStringMatrix = 11,
  NotEnoughElements = 12,
  InvalidArgument = 13,
  MatrixNotFound = 14,
  UndefinedVariable = 16,
  UndefinedCustomFunction = 17,
  UndefinedConstant = 18,
  Overflow = 19,
  UndefinedCommand = 25,
  Cancelled = 26,  // the session was asked to stop
};

constexpr std::int32_t Code(EvalError e) { return static_cast<std::int32_t>(e); }

}  // namespace engine
