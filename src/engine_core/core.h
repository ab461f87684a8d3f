// SPDX-License-Identifier: MIT
// What every engine procedure reaches: the evaluator state, the tokenizer's cursor, the
// caller's switches, the error and debug logs, and the platform services. The matrix operations
// take this much and never the parser.
#pragma once

#include <memory>
#include <random>

#include "engine_core/cancel_flag.h"
#include "engine_core/error_log.h"
#include "engine_core/eval_options.h"
#include "engine_core/eval_state.h"
#include "engine_core/formula_settings.h"
#include "engine_core/token_cursor.h"
#include "platform/services.h"

namespace engine {

struct Core {
  explicit Core(platform::Services& services) : platform(services) {}

  EvalState state;              // what the last evaluation left: error, result type
  TokenCursor cursor;           // the tokenizer's place in the text being evaluated
  EvalOptions options;          // the caller's switches: BoolSign, messages
  std::minstd_rand random{20260101};  // behind rnd()
  ErrorLog log;                 // error message log, extended info and the debug log
  FormulaSettings settings;     // numbers and spelling of every formula of this session
  platform::Services& platform; // message boxes and clipboard
  // Set from another thread to stop long work; shared with whoever may ask, so that it outlives
  // an evaluator that is replaced while they hold it.
  std::shared_ptr<CancelFlag> cancel = std::make_shared<CancelFlag>();
};

}  // namespace engine
