// SPDX-License-Identifier: MIT
#include "engine/matrix_text.h"

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"

namespace engine {

namespace {

// Elements read as numbers or, with evaluate, each as a formula of one number.
matrix::ElementReader Reader(Engine& engine, bool evaluate) {
  return [&engine, evaluate](std::u16string_view field, double& value) {
    if (!evaluate) {
      value = ParseDecimal(field);
      return true;
    }
    const std::int32_t code = e_eval(engine, field, &value, false);
    if (code == kMatrix) engine.core.state.Fail(EvalError::WrongStringMatrix);  // not one number
    return code == kNumber;
  };
}

}  // namespace

std::intptr_t SetStrMatrix(Engine& engine, std::u16string_view text, bool returnAddr, bool evaluate) {
  return matrix::SetStrMatrix(engine.core, engine.matrices, text, returnAddr, Reader(engine, evaluate));
}

std::intptr_t SetFieldMatrix(Engine& engine, const std::u16string& name, std::int32_t rows, std::int32_t cols,
                             std::span<const std::u16string_view> elements, bool evaluate) {
  return matrix::SetFieldMatrix(engine.core, engine.matrices, name, rows, cols, elements, false, Reader(engine, evaluate));
}

}  // namespace engine
