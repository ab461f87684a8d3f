// SPDX-License-Identifier: MIT
// One-shot evaluation: each call hands a formula text over, which is parsed and evaluated
// from scratch. The peer does the same with SetExpr + Eval.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <string>

#include "bench_formulas.h"
#include "morvane.h"

namespace {

using bench::Formula;

void Engine(benchmark::State& state, const Formula& formula) {
  ReSetEqParser();
  SetVarFunct(u"x", u"1.5", 0);
  SetVarFunct(u"y", u"2", 0);
  const std::u16string text = bench::Widen(formula.ours);
  double value = 0;
  for (auto _ : state) {
    e_eval(text.c_str(), &value, 0);
    benchmark::DoNotOptimize(value);
  }
}

void Peer(benchmark::State& state, const Formula& formula) {
  mu::Parser parser;
  double x = 1.5;
  double y = 2;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  for (auto _ : state) {
    parser.SetExpr(formula.peer);
    benchmark::DoNotOptimize(parser.Eval());
  }
}

}  // namespace

int main(int argc, char** argv) { return bench::RunBesidePeer(argc, argv, Engine, Peer); }
