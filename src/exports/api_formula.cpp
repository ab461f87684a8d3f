// SPDX-License-Identifier: MIT
// The UTF-8 interface's compiled formulas: a formula read once, with parameters that take
// values or are bound to the caller's doubles. What the compiled form cannot answer (a failure
// to report, matrices, rnd) is evaluated from the text with the parameters' values, so both give
// the same.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <span>
#include <vector>

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

// In classic numbers a value read as it was the last time keeps its slot: rounding costs more
// than the evaluation of a short formula.
bool EnterClassicReadings(morvane_formula& formula) {
  double* const frame = formula.frame.data();
  for (morvane_formula::Reading& reading : formula.readings) {
    const double value = *reading.source;
    if (!std::isfinite(value)) return false;
    // Compared as bits: -0 and +0 are equal as numbers but not to atan2 or a division.
    if (std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(reading.lastRead)) continue;
    frame[reading.slot] = engine::EnteredValue(engine::Numbers::Classic, value);
    reading.lastRead = value;
  }
  return true;
}

// The read parameters' values into their slots; false at the first that is not finite, which
// the careful path then names. Inline: in double numbers this is the call's only work before
// the formula's steps.
[[gnu::always_inline]] inline bool EnterReadings(morvane_formula& formula) {
  if (formula.numbers != engine::Numbers::Double) return EnterClassicReadings(formula);
  double* const frame = formula.frame.data();
  for (const morvane_formula::Reading& reading : formula.readings) {
    const double value = *reading.source;
    if (!std::isfinite(value)) return false;
    frame[reading.slot] = value;
  }
  return true;
}

[[noreturn]] void ThrowNotFinite(const morvane_formula::Parameter& parameter) {
  throw Failure{MORVANE_ERROR_INVALID_ARGUMENT, "The variable '" + platform::ToUtf8(parameter.name) + "' is not a finite number"};
}

// The readings after a parameter's value or binding changed, and whether a call may skip the
// checks.
void RefreshReadings(morvane_formula& formula) {
  formula.readings.clear();
  bool bound = true;
  for (std::size_t k = 0; k < formula.parameters.size(); ++k) {
    const morvane_formula::Parameter& parameter = formula.parameters[k];
    if (!parameter.read) continue;
    if (parameter.source == nullptr) bound = false;
    else formula.readings.push_back({.source = parameter.source, .slot = k});
  }
  formula.ready = bound && formula.context != nullptr && formula.compiled.has_value();
}

// The text evaluated by the context's evaluator, with the parameters' values (entered).
double TextValue(morvane_formula& formula, std::span<const double> values) {
  engine::Engine& engine = formula.context->engine;
  const engine::ScopedParameters parameters(engine, {.names = formula.names, .values = values});
  return exports::api::EvaluateNumber(engine, formula.text);
}

void RequireContext(const morvane_formula& formula) {
  if (formula.context == nullptr) throw Failure{MORVANE_ERROR_CONTEXT_FREED, "The formula's context was freed"};
}

// morvane_formula_eval with every check, saying why it fails.
double CarefulValue(morvane_formula& formula) {
  RequireContext(formula);
  for (const morvane_formula::Parameter& parameter : formula.parameters)
    if (parameter.read && parameter.source == nullptr)
      throw Failure{MORVANE_ERROR_UNBOUND_VARIABLE, "The variable '" + platform::ToUtf8(parameter.name) + "' has no value"};
  if (!EnterReadings(formula)) {
    for (const morvane_formula::Parameter& parameter : formula.parameters)
      if (parameter.read && !std::isfinite(*parameter.source)) ThrowNotFinite(parameter);
  }
  double value = 0;
  if (formula.compiled && formula.compiled->Evaluate(formula.frame, formula.boolSign, value)) return value;
  return TextValue(formula, std::span(formula.frame).first(formula.parameters.size()));
}

// The value at point i of the arrays, where the compiled form gave nothing: as a call with
// those values would go, through the text.
double TextValueAt(morvane_formula& formula, const double* const* inputs, std::size_t i) {
  std::vector<double> values(formula.parameters.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (!formula.parameters[k].read) continue;
    const double value = inputs[k][i];
    if (!std::isfinite(value)) ThrowNotFinite(formula.parameters[k]);
    values[k] = engine::EnteredValue(formula.numbers, value);
  }
  return TextValue(formula, values);
}

// Points evaluated between two looks at the context's cancel flag: a few milliseconds' work.
constexpr std::size_t kPointsBetweenLooks = std::size_t{1} << 16;

// The values at n points into results; failedAt names the point a failure is thrown at.
void ArrayValues(morvane_formula& formula, const double* const* inputs, std::size_t n, double* results,
                 std::size_t& failedAt) {
  const engine::CancelFlag& cancel = *formula.context->engine.core.cancel;
  std::vector<const double*> columns(inputs, inputs + formula.parameters.size());
  std::size_t done = 0;
  while (done < n) {
    failedAt = done;
    if (cancel.requested()) throw exports::api::EngineFailure(engine::Code(engine::EvalError::Cancelled));
    const std::size_t chunk = std::min(n - done, kPointsBetweenLooks);
    std::size_t good = 0;
    if (formula.compiled) {
      if (!formula.block) formula.block = formula.compiled->NewBlock();
      good = formula.compiled->EvaluateEach(columns, chunk, results + done, formula.boolSign, *formula.block);
    }
    done += good;
    if (good < chunk) {
      failedAt = done;
      results[done] = TextValueAt(formula, inputs, done);
      ++done;
    }
    for (std::size_t k = 0; k < columns.size(); ++k) columns[k] = inputs[k] + done;
  }
}

// morvane_formula_eval for the calls its fast path does not answer: named failures, and the
// values only the text gives.
[[gnu::noinline]] int EvaluateCarefully(morvane_formula* formula, double* value, morvane_error* error) {
  return Call(error, [&] {
    Require(formula, "formula");
    Require(value, "value");
    *value = CarefulValue(*formula);
  });
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
    engine::Engine& engine = context->engine;
    engine::CompiledFormula::ReadFailure failure;
    formula->compiled = engine::CompiledFormula::Compile(engine, formula->text, names,
                                                         engine::CompiledFormula::Placement::AsVariables, &failure);
    if (failure.code != -1)
      throw exports::api::EngineFailure(failure.code, formula->text, failure.position);
    if (formula->compiled) {
      for (std::size_t k = 0; k < formula->parameters.size(); ++k) formula->parameters[k].read = formula->compiled->Reads(k);
      formula->frame = formula->compiled->NewFrame();
    } else {
      formula->frame.resize(formula->parameters.size());
    }
    formula->numbers = engine.core.settings.numbers;
    formula->boolSign = engine.core.options.BoolSign;
    formula->context = context;
    RefreshReadings(*formula);
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
    RefreshReadings(*formula);
  });
}

int MORVANE_CALL morvane_formula_bind(morvane_formula* formula, const char* name, const double* address, morvane_error* error) {
  return Call(error, [&] {
    morvane_formula::Parameter& parameter = ParameterOf(formula, name);
    parameter.source = address;
    RefreshReadings(*formula);
    Require(address, "address");
  });
}

int MORVANE_CALL morvane_formula_eval(morvane_formula* formula, double* value, morvane_error* error) {
  // What cannot fail was checked when the formula was compiled and bound: a call that succeeds
  // costs the values' loads and the formula's steps. Every other call leaves for a function of
  // its own, so that this one saves no registers and sets up no handler.
  if (formula != nullptr && value != nullptr && formula->ready && EnterReadings(*formula)) [[likely]] {
    double result;  // *value stays as it was on a failure
    if (formula->compiled->Evaluate(formula->frame, formula->boolSign, result)) {
      *value = result;
      return exports::api::Succeeded(error);
    }
  }
  return EvaluateCarefully(formula, value, error);
}

int MORVANE_CALL morvane_formula_eval_array(morvane_formula* formula, const double* const* inputs, size_t n,
                                            double* results, size_t* failed_at, morvane_error* error) {
  std::size_t failedAt = 0;
  const int code = Call(error, [&] {
    Require(formula, "formula");
    RequireContext(*formula);
    formula->context->engine.core.cancel->Clear();
    if (n == 0) return;
    Require(results, "results");
    if (!formula->parameters.empty()) Require(inputs, "inputs");
    for (std::size_t k = 0; k < formula->parameters.size(); ++k)
      Require(inputs[k], "an input array");
    ArrayValues(*formula, inputs, n, results, failedAt);
  });
  if (failed_at != nullptr) *failed_at = code == MORVANE_OK ? n : failedAt;
  return code;
}

void MORVANE_CALL morvane_formula_free(morvane_formula* formula) {
  if (formula == nullptr) return;
  if (formula->context != nullptr) formula->context->formulas.erase(formula);
  delete formula;
}

}  // extern "C"
