// SPDX-License-Identifier: MIT
// The expression engine's whole state: the shared core and the stores formulas read.
#pragma once

#include "engine/var_store.h"
#include "engine_core/core.h"
#include "matrix/matrix_store.h"

namespace engine {

struct Engine {
  explicit Engine(platform::Services& services) : core(services) {}

  Core core;       // evaluator state, logs, platform services
  VarStore vars;   // variables and user functions
  matrix::MatrixStore matrices;  // named matrices and the internal ones of an evaluation
};

}  // namespace engine
