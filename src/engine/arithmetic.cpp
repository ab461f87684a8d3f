// SPDX-License-Identifier: MIT
#include "engine/arithmetic.h"

#include "engine_core/core.h"
#include "engine_core/number_text.h"

namespace engine {

double NumberArithmetic(Core& core, BinaryOp op, double a, double b) {
  if (!Undefined(op, b)) [[likely]]
    return Operate(op, a, b, core.options.BoolSign, core.settings.exact());
  if (!core.state.ok()) return a;
  core.state.Fail(EvalError::DivisionByZero);
  ReportEvalError(core, op == BinaryOp::Div ? site::kNumberDivision : site::kParser, u"");
  return a;
}

}  // namespace engine
