// SPDX-License-Identifier: MIT
// The UTF-8 interface's contexts: evaluation, variables and functions, and the differentiator,
// integration and the solver on a context's own state.
#include <cmath>
#include <memory>

#include "diff/differentiate.h"
#include "engine/compiled_formula.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "exports/api_state.h"
#include "exports/api_support.h"
#include "morvane/api.h"
#include "morvane_version.h"
#include "numeric/integrate.h"
#include "numeric/solvers.h"

using exports::api::Call;
using exports::api::CallerText;
using exports::api::Failure;
using exports::api::Read;
using exports::api::Require;

namespace {

engine::Engine& EngineOf(morvane_context* context) {
  Require(context, "context");
  engine::Engine& engine = context->engine;
  engine.core.state.Clear();
  engine.core.cancel->Clear();
  return engine;
}

// A formula of one variable that does not read fails with its place, before any sampling.
void ThrowIfUnread(engine::Engine& engine, const CallerText& formula, const CallerText& variable) {
  const std::u16string_view name = variable.text;
  engine::CompiledFormula::ReadFailure failure;
  engine::CompiledFormula::Compile(engine, formula.text, std::span(&name, 1),
                                   engine::CompiledFormula::Placement::IntoText, &failure);
  if (failure.code != -1) throw exports::api::EngineFailure(failure.code, formula.text, failure.position);
}

void ThrowIfFailed(const engine::Engine& engine) {
  if (!engine.core.state.ok()) throw exports::api::EngineFailure(engine.core.state.e_error);
}

}  // namespace

extern "C" {

const char* MORVANE_CALL morvane_version(void) { return morvane::kVersionTextNarrow; }

morvane_context* MORVANE_CALL morvane_context_new(void) { return morvane_context_new_with(nullptr); }

morvane_context* MORVANE_CALL morvane_context_new_with(const morvane_options* options) {
  const morvane_options chosen = options != nullptr ? *options : morvane_options{};
  engine::FormulaSettings settings;
  switch (chosen.numbers) {
    case MORVANE_NUMBERS_DOUBLE: settings.numbers = engine::Numbers::Double; break;
    case MORVANE_NUMBERS_CLASSIC: settings.numbers = engine::Numbers::Classic; break;
    default: return nullptr;
  }
  switch (chosen.spelling) {
    case MORVANE_SPELLING_PROGRAMMER: settings.spelling = engine::Spelling::Programmer; break;
    case MORVANE_SPELLING_CLASSIC: settings.spelling = engine::Spelling::Classic; break;
    default: return nullptr;
  }
  try {
    auto context = std::make_unique<morvane_context>();
    engine::SetFormulaSettings(context->engine, settings);
    return context.release();
  } catch (...) {
    return nullptr;
  }
}

void MORVANE_CALL morvane_context_free(morvane_context* context) {
  if (context == nullptr) return;
  for (morvane_formula* formula : context->formulas) formula->ContextEnded();
  delete context;
}

void MORVANE_CALL morvane_cancel(morvane_context* context) {
  if (context != nullptr) context->engine.core.cancel->Request();
}

int MORVANE_CALL morvane_reset(morvane_context* context, morvane_error* error) {
  return Call(error, [&] { engine::ReSetEqParser(EngineOf(context)); });
}

int MORVANE_CALL morvane_eval(morvane_context* context, const char* text, double* value, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText formula = Read(text, "text");
    Require(value, "value");
    *value = exports::api::EvaluateNumber(engine, formula.text);
  });
}

int MORVANE_CALL morvane_set_variable(morvane_context* context, const char* name, double value, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText variable = exports::api::ReadName(name, "name");
    if (!std::isfinite(value)) throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "The value is not a finite number"};
    engine::SetVariable(engine.core, engine.vars, variable.text, value);
    ThrowIfFailed(engine);
  });
}

int MORVANE_CALL morvane_get_variable(morvane_context* context, const char* name, double* value, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText variable = exports::api::ReadName(name, "name");
    Require(value, "value");
    const engine::VarEntry* entry = engine::LookupVariable(engine.vars, engine::ToLower(engine::Trim(variable.text)));
    if (entry == nullptr) throw Failure{MORVANE_ERROR_NOT_FOUND, "No variable '" + std::string(variable.bytes) + "'"};
    *value = entry->number;
  });
}

int MORVANE_CALL morvane_set_function(morvane_context* context, const char* name, const char* body, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText function = exports::api::ReadName(name, "name");
    const CallerText text = Read(body, "body");
    engine::SetVarFunct(engine.core, engine.vars, function.text, text.text, true);
    ThrowIfFailed(engine);
  });
}

int MORVANE_CALL morvane_get_function(morvane_context* context, const char* name, const char** body, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText function = exports::api::ReadName(name, "name");
    Require(body, "body");
    const engine::VarEntry* entry = engine::FindEntry(engine.core, engine.vars, engine::ToLower(function.text), true);
    if (entry == nullptr) throw Failure{MORVANE_ERROR_NOT_FOUND, "No function '" + std::string(function.bytes) + "'"};
    *body = exports::api::HandOut(context->text, entry->value);
  });
}

int MORVANE_CALL morvane_diff(morvane_context* context, const char* formula, const char* variable, const char** derivative,
                 morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText text = Read(formula, "formula");
    const CallerText name = exports::api::ReadName(variable, "variable");
    Require(derivative, "derivative");
    diff::Diff d{engine.core, context->diff};
    std::u16string result;
    diff::e_diff(d, text.text, name.text, result);
    ThrowIfFailed(engine);
    *derivative = exports::api::HandOut(context->text, result);
  });
}

int MORVANE_CALL morvane_integrate(morvane_context* context, const char* formula, const char* variable, double a, double b,
                      int n, int rule, double* integral, morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText text = Read(formula, "formula");
    const CallerText name = exports::api::ReadName(variable, "variable");
    Require(integral, "integral");
    if (rule < MORVANE_MIDPOINT || rule > MORVANE_SIMPSON)
      throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "Unknown integration rule"};
    if (rule == MORVANE_SIMPSON && n % 2 != 0)
      throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "Simpson's rule needs an even number of subintervals"};
    ThrowIfUnread(engine, text, name);
    double result = 0.0;
    numeric::Integrate(engine, text.text, a, b, n, static_cast<numeric::Rule>(rule), name.text, result);
    ThrowIfFailed(engine);
    *integral = result;
  });
}

int MORVANE_CALL morvane_solve(morvane_context* context, const char* formula, const char* variable, double* root,
                  morvane_error* error) {
  return Call(error, [&] {
    engine::Engine& engine = EngineOf(context);
    const CallerText text = Read(formula, "formula");
    const CallerText name = exports::api::ReadName(variable, "variable");
    Require(root, "root");
    ThrowIfUnread(engine, text, name);
    diff::Diff d{engine.core, context->diff};
    double x = 0.0;
    numeric::SolveD(engine, d, text.text, name.text, &x);
    ThrowIfFailed(engine);
    if (!numeric::RootNear(engine, text.text, name.text, x))
      throw Failure{MORVANE_ERROR_NOT_CONVERGED, "No root found: the formula does not change sign where the steps ended"};
    *root = x;
  });
}

}  // extern "C"
