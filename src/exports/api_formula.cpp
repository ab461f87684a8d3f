// SPDX-License-Identifier: MIT
// The UTF-8 interface's compiled formulas: a formula read once, with parameters that take
// values or are bound to the caller's doubles. What the compiled form cannot answer (a failure
// to report, matrices, rnd) is evaluated from the text with the parameters' values, so both give
// the same.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>

#include "engine/evaluator.h"
#include "engine/engine.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "exports/api_state.h"
#include "exports/api_support.h"
#include "morvane/api.h"
#include "platform/utf8.h"

using exports::api::Call;
using exports::api::CallerText;
using exports::api::Failure;
using exports::api::Read;
using exports::api::Require;

namespace {

morvane_formula::Parameter& ParameterOf(morvane_formula* formula, const char* name) {
  Require(formula, "formula");
  const CallerText wanted = Read(name, "name");
  for (morvane_formula::Parameter& parameter : formula->parameters)
    if (engine::EqualsIgnoreCase(parameter.name, wanted.text)) return parameter;
  throw Failure{MORVANE_ERROR_NOT_FOUND, "The formula has no variable '" + std::string(wanted.bytes) + "'"};
}

// The parameters' values as the formula reads them. A value read as it was the last time keeps
// its slot: in classic numbers rounding costs more than the evaluation of a short formula.
void ReadSlots(morvane_formula& formula) {
  const engine::Numbers numbers = formula.context->engine.core.settings.numbers;
  for (std::size_t k = 0; k < formula.parameters.size(); ++k) {
    morvane_formula::Parameter& parameter = formula.parameters[k];
    if (parameter.source == nullptr)
      throw Failure{MORVANE_ERROR_UNBOUND_VARIABLE, "The variable '" + platform::ToUtf8(parameter.name) + "' has no value"};
    const double value = *parameter.source;
    if (!parameter.read) continue;
    if (!std::isfinite(value))
      throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "The variable '" + platform::ToUtf8(parameter.name) + "' is not a finite number"};
    // Compared as bits: -0 and +0 are equal as numbers but not to atan2 or a division.
    if (std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(parameter.lastRead)) continue;
    formula.slots[k] = engine::EnteredValue(numbers, value);
    parameter.lastRead = value;
  }
}

// The text evaluated by the context's evaluator, with the parameters' values.
double TextValue(morvane_formula& formula) {
  engine::Engine& engine = formula.context->engine;
  const engine::ScopedParameters parameters(engine, {.names = formula.names, .values = formula.slots});
  return exports::api::EvaluateNumber(engine, formula.text);
}

}  // namespace

extern "C" {

morvane_formula* MORVANE_CALL morvane_compile(morvane_context* context, const char* text, const char* const* variables,
                                 size_t count, morvane_error* error) {
  morvane_formula* made = nullptr;
  Call(error, [&] {
    Require(context, "context");
    const CallerText formulaText = Read(text, "text");
    if (count > 0) Require(variables, "variables");
    auto formula = std::make_unique<morvane_formula>();
    formula->text = formulaText.text;
    std::vector<std::u16string_view> names;
    for (std::size_t k = 0; k < count; ++k) {
      std::u16string name = exports::api::ReadName(variables[k], "a variable's name").text;
      const auto same = [&](const morvane_formula::Parameter& p) { return engine::EqualsIgnoreCase(p.name, name); };
      if (std::ranges::any_of(formula->parameters, same))
        throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "Each variable is named once"};
      formula->names.push_back(engine::ToLower(name));
      formula->parameters.push_back({.name = std::move(name)});
    }
    for (const std::u16string& name : formula->names) names.push_back(name);
    formula->slots.resize(names.size());
    engine::Engine& engine = context->engine;
    engine::CompiledFormula::ReadFailure failure;
    formula->compiled = engine::CompiledFormula::Compile(engine, formula->text, names,
                                                         engine::CompiledFormula::Placement::AsVariables, &failure);
    if (failure.code != -1)
      throw exports::api::EngineFailure(failure.code, formula->text, failure.position);
    if (formula->compiled)
      for (std::size_t k = 0; k < formula->parameters.size(); ++k) formula->parameters[k].read = formula->compiled->Reads(k);
    formula->boolSign = engine.core.state.BoolSign;
    formula->context = context;
    context->formulas.insert(formula.get());
    made = formula.release();
  });
  return made;
}

int MORVANE_CALL morvane_formula_set(morvane_formula* formula, const char* name, double value, morvane_error* error) {
  return Call(error, [&] {
    morvane_formula::Parameter& parameter = ParameterOf(formula, name);
    parameter.own = value;
    parameter.source = &parameter.own;
  });
}

int MORVANE_CALL morvane_formula_bind(morvane_formula* formula, const char* name, const double* address, morvane_error* error) {
  return Call(error, [&] {
    morvane_formula::Parameter& parameter = ParameterOf(formula, name);
    parameter.source = address;
    Require(address, "address");
  });
}

int MORVANE_CALL morvane_formula_eval(morvane_formula* formula, double* value, morvane_error* error) {
  return Call(error, [&] {
    Require(formula, "formula");
    Require(value, "value");
    if (formula->context == nullptr)
      throw Failure{MORVANE_ERROR_CONTEXT_FREED, "The formula's context was freed"};
    ReadSlots(*formula);
    if (formula->compiled) {
      if (const std::optional<double> result = formula->compiled->Evaluate(formula->slots, formula->boolSign)) {
        *value = *result;
        return;
      }
    }
    *value = TextValue(*formula);
  });
}

void MORVANE_CALL morvane_formula_free(morvane_formula* formula) {
  if (formula == nullptr) return;
  if (formula->context != nullptr) formula->context->formulas.erase(formula);
  delete formula;
}

}  // extern "C"
