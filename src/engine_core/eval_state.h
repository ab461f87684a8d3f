// SPDX-License-Identifier: MIT
// What one evaluation leaves behind for its caller and the engine procedures it calls: the
// error code, the result's type and the matrix bookkeeping.
#pragma once

#include <cstdint>

#include "engine_core/error_codes.h"

namespace engine {

struct EvalState {
  std::int32_t e_error = -1;       // current error code; -1 means no error
  std::int8_t resultType = -1;     // type of the last result: 0 number, 1 matrix, -1 none
  std::int8_t evaluating = 0;      // -1 while e_eval parses; marks matrices made meanwhile
  std::int32_t lastRows = 0;       // dimensions of the last matrix operand or result
  std::int32_t lastCols = 0;
  std::int32_t runCount = 0;       // e_eval calls since load, for the trace only
  std::int32_t prsDepth = 0;       // nesting of the parser: trace labels and the depth limit

  bool ok() const { return e_error == Code(EvalError::None); }
  void Clear() { e_error = Code(EvalError::None); }
  void Fail(EvalError code) { e_error = Code(code); }
};

}  // namespace engine
