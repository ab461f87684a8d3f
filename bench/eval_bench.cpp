// SPDX-License-Identifier: MIT
// One-shot evaluation: each call hands a formula text over, which is parsed and evaluated
// from scratch. The peer does the same with SetExpr + Eval.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <string>

#include "morvane.h"
#include "ratio_reporter.h"

namespace {

struct Formula {
  const char* name;
  std::string text;  // peer syntax: "," separates arguments
  std::u16string ours;
};

std::string LongSum() {
  std::string sum = "1";
  for (int i = 2; i <= 200; ++i) sum += "+" + std::to_string(i);
  return sum;
}

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

const std::array<Formula, 5>& Formulas() {
  static const std::array<Formula, 5> formulas = {
      Formula{"arith", "2*3+4", u"2*3+4"},
      Formula{"brackets", "(1+2)*(3+4)/(5-6)+7^2", u"(1+2)*(3+4)/(5-6)+7^2"},
      Formula{"functions", "sin(1)+cos(2)*sqrt(16)-abs(-3)", u"sin(1)+cos(2)*sqrt(16)-abs(-3)"},
      Formula{"variables", "x*x+y*y-2*x*y+3.25*x/y", u"x*x+y*y-2*x*y+3.25*x/y"},
      Formula{"sum200", LongSum(), Widen(LongSum())},
  };
  return formulas;
}

void Engine(benchmark::State& state, const Formula& formula) {
  ReSetEqParser();
  SetVarFunct(u"x", u"1.5", 0);
  SetVarFunct(u"y", u"2", 0);
  double value = 0;
  for (auto _ : state) {
    e_eval(formula.ours.c_str(), &value, 0);
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
    parser.SetExpr(formula.text);
    benchmark::DoNotOptimize(parser.Eval());
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const Formula& formula : Formulas()) {
    benchmark::RegisterBenchmark((std::string("engine/") + formula.name).c_str(), Engine, formula);
    benchmark::RegisterBenchmark((std::string("peer/") + formula.name).c_str(), Peer, formula);
  }
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
