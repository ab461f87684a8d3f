// SPDX-License-Identifier: MIT
#include "engine/matrix_text.h"

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"

namespace engine {

std::intptr_t SetStrMatrix(Engine& engine, std::u16string_view text, bool returnAddr, bool evaluate) {
  auto read = [&](std::u16string_view field, double& value) {
    if (!evaluate) {
      value = ParseDecimal(field);
      return true;
    }
    const std::int32_t code = e_eval(engine, field, &value, false);
    if (code == kMatrix) engine.core.state.Fail(EvalError::WrongStringMatrix);  // not one number
    return code == kNumber;
  };
  return matrix::SetStrMatrix(engine.core, engine.matrices, text, returnAddr, read);
}

}  // namespace engine
