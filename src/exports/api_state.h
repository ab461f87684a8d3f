// SPDX-License-Identifier: MIT
// What the handles of the UTF-8 interface stand for. A context is an evaluator state of its own,
// beside the process-wide session; a formula knows its context until the context ends.
#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "diff/diff_state.h"
#include "engine/compiled_formula.h"
#include "engine/engine.h"
#include "platform/services.h"

struct morvane_formula;

struct morvane_context {
  std::unique_ptr<platform::Services> services = platform::MakeNativeServices();
  engine::Engine engine{*services};
  diff::DiffState diff;
  std::string text;  // the last text handed out, valid until the next call
  std::unordered_set<morvane_formula*> formulas;  // told when the context ends
};

struct morvane_formula {
  // A parameter's value is its own, once set, or a caller's double it is bound to.
  struct Parameter {
    std::u16string name;
    double own = 0.0;
    const double* source = nullptr;  // &own, the caller's double, or null: no value yet
    bool read = true;  // whether the compiled form reads it at all
  };
  // A parameter an evaluation reads, kept in one dense list so that a call walks only these.
  struct Reading {
    const double* source;
    std::size_t slot;
    double lastRead = std::numeric_limits<double>::quiet_NaN();  // the value its slot holds, as read
  };

  // The context's end: every later evaluation takes the careful path, which says so.
  void ContextEnded() {
    context = nullptr;
    ready = false;
  }

  morvane_context* context = nullptr;  // null once the context has ended
  std::u16string text;
  std::vector<Parameter> parameters;  // never grown after the compile: sources point into it
  std::vector<std::u16string> names;  // the parameters' names lower-cased, as formulas read them
  std::optional<engine::CompiledFormula> compiled;  // nothing: every evaluation reads the text
  engine::Numbers numbers = engine::Numbers::Double;
  double boolSign = -1.0;
  // The parameters' values as the formula reads them (slot k at frame[k]), then the compiled
  // form's other registers.
  std::vector<double> frame;
  std::vector<Reading> readings;
  // The context lives, the formula compiled and every parameter it reads has a value: an
  // evaluation needs no check but the values' own.
  bool ready = false;
  std::optional<engine::CompiledFormula::Block> block;  // for evaluations at many points
};
