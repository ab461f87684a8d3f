// SPDX-License-Identifier: MIT
// The expression engine's whole state: the shared core and the stores formulas read.
#pragma once

#include <span>
#include <string>

#include "engine/var_store.h"
#include "engine_core/core.h"
#include "matrix/matrix_store.h"

namespace engine {

// Numbers a formula reads from its caller rather than from the variable store: a compiled
// formula's parameters. Parameter k is read where the text names names[k] (before the store is
// asked), or where the text holds the character kFirstSlot + k (k below marked), which
// substitution writes in place of a sampled variable.
struct Parameters {
  std::span<const std::u16string> names;  // lower-cased
  std::size_t marked = 0;
  std::span<const double> values;          // the values while evaluating; empty while compiling
};

// A private-use character, which no formula the text path accepts holds.
inline constexpr char16_t kFirstSlot = u'\uE000';

struct Engine {
  explicit Engine(platform::Services& services) : core(services) {}

  Core core;       // evaluator state, logs, platform services
  VarStore vars;   // variables and user functions
  matrix::MatrixStore matrices;  // named matrices and the internal ones of an evaluation
  Parameters parameters;         // set only while a caller's formula with parameters is read
};

// Gives the engine's formulas parameters for as long as it lives.
class ScopedParameters {
 public:
  ScopedParameters(Engine& engine, Parameters parameters) : engine_(engine), saved_(engine.parameters) {
    engine_.parameters = parameters;
  }
  ~ScopedParameters() { engine_.parameters = saved_; }
  ScopedParameters(const ScopedParameters&) = delete;
  ScopedParameters& operator=(const ScopedParameters&) = delete;

 private:
  Engine& engine_;
  Parameters saved_;
};

}  // namespace engine
