// SPDX-License-Identifier: MIT
// The switches a caller sets on the evaluator and that outlive every evaluation.
#pragma once

#include <cstdint>

namespace engine {

// messageFlag bit: some errors (a parser syntax error, a refused switch, a bad integration
// call) are also told at once, to the debug output or in a message box.
inline constexpr std::int32_t kShowErrors = 1;

struct EvalOptions {
  std::int32_t BoolSign = -1;      // value a true comparison yields: -1 or 1
  std::int32_t messageFlag = 0;    // kShowErrors and other bits set by ShowMsgs
};

}  // namespace engine
