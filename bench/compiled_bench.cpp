// SPDX-License-Identifier: MIT
// Evaluation of a formula prepared once: compiled through the UTF-8 interface with x and y bound
// to the caller's doubles, in a context of double numbers ("engine") and of classic numbers
// ("classic"), against muParser's Eval after one SetExpr with x and y defined as variables. x
// moves before every evaluation, so no side can hand back a kept result.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <string>

#include "bench_formulas.h"
#include "morvane/api.h"

namespace {

using bench::Formula;

// Walks x over [1.5, 2.5) in steps that are not round in binary, so our side rounds a real
// fraction each time; y = 2 keeps x/y away from a division by zero.
inline void Step(double& x) { x = x < 2.5 ? x + 1e-3 : 1.5; }

void Compiled(benchmark::State& state, const Formula& formula, const morvane_options& options) {
  morvane_context* context = morvane_context_new_with(&options);
  if (context == nullptr) {
    state.SkipWithError("no context");
    return;
  }
  double x = 1.5;
  double y = 2;
  // Every formula takes both, read or not, so the cases differ only in their text.
  const char* const variables[] = {"x", "y"};
  morvane_error error{};
  morvane_formula* compiled = morvane_compile(context, formula.ours.c_str(), variables, 2, &error);
  if (compiled == nullptr || morvane_formula_bind(compiled, "x", &x, &error) != MORVANE_OK ||
      morvane_formula_bind(compiled, "y", &y, &error) != MORVANE_OK) {
    state.SkipWithError(error.message);
    morvane_formula_free(compiled);
    morvane_context_free(context);
    return;
  }
  double value = 0;
  int failures = 0;
  for (auto _ : state) {
    Step(x);
    // The error block is passed as a caller checking each result would.
    failures += morvane_formula_eval(compiled, &value, &error) != MORVANE_OK;
    benchmark::DoNotOptimize(value);
  }
  if (failures != 0) state.SkipWithError(error.message);
  morvane_formula_free(compiled);
  morvane_context_free(context);
}

void Engine(benchmark::State& state, const Formula& formula) { Compiled(state, formula, {}); }

void Classic(benchmark::State& state, const Formula& formula) {
  Compiled(state, formula, {MORVANE_NUMBERS_CLASSIC, MORVANE_SPELLING_CLASSIC});
}

void Peer(benchmark::State& state, const Formula& formula) {
  mu::Parser parser;
  double x = 1.5;
  double y = 2;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.SetExpr(formula.peer);
  // The first Eval parses the text into bytecode; the later ones run the bytecode.
  benchmark::DoNotOptimize(parser.Eval());
  for (auto _ : state) {
    Step(x);
    benchmark::DoNotOptimize(parser.Eval());
  }
}

}  // namespace

int main(int argc, char** argv) {
  return bench::RunBesidePeer(argc, argv, {{"engine", Engine}, {"classic", Classic}}, Peer);
}
