// SPDX-License-Identifier: MIT
// Operations on two numbers. Operands that are matrix references are looked up in the matrix
// store; until one holds matrices, every reference is one the store cannot find.
#include "matrix/matrix_ops.h"

#include <cmath>
#include <string>

#include "engine/core.h"
#include "engine/number_text.h"

namespace matrix {
namespace {

using engine::Core;
using engine::EvalError;

double MatrixNotFound(Core& core, double a, double reference) {
  core.state.Fail(EvalError::MatrixNotFound);
  engine::ReportEvalError(core, u"FindMatrix", 393,
                          u"MatrName = " + engine::ToU16(std::to_string(std::llround(reference))));
  return a;
}

}  // namespace

double CalcMatrixDivMult(Core& core, char16_t op, double a, double b, std::int8_t& typeA,
                         std::int8_t typeB) {
  if (typeA != 0) return MatrixNotFound(core, a, a);
  if (typeB != 0) return MatrixNotFound(core, a, b);
  switch (op) {
    case u'*': return a * b;
    case u'^': return std::pow(a, b);
    case u'/':
      if (b == 0.0) {
        core.state.Fail(EvalError::DivisionByZero);
        engine::ReportEvalError(core, u"CalcMatrixDivMult", 0, u"");
        return a;
      }
      return a / b;
    default: return a;
  }
}

double CalcMatrixSumSubt(Core& core, char16_t op, double a, double b, std::int8_t& typeA,
                         std::int8_t typeB) {
  if (typeA != 0) return MatrixNotFound(core, a, a);
  if (typeB != 0) return MatrixNotFound(core, a, b);
  return op == u'-' ? a - b : a + b;
}

double CalcMatrFunct(Core& core, std::u16string_view /*name*/, double a, double /*b*/,
                     double /*c*/, std::int8_t& typeA, std::int8_t /*typeB*/,
                     std::int8_t /*typeC*/) {
  // Every matrix function needs a stored matrix as its first operand.
  typeA = 0;
  return MatrixNotFound(core, 0.0, a);
}

}  // namespace matrix
