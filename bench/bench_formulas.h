// SPDX-License-Identifier: MIT
// The formulas the evaluation benchmarks time beside muParser, one list so that one-shot and
// compiled timings stay comparable case by case.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <initializer_list>
#include <string>

namespace bench {

struct Formula {
  const char* name;
  std::string peer;  // muParser syntax: "," separates arguments
  std::string ours;  // ASCII only, so the same bytes are UTF-8 and widen to UTF-16 as they are
};

inline std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

inline std::string LongSum() {
  std::string sum = "1";
  for (int i = 2; i <= 200; ++i) sum += "+" + std::to_string(i);
  return sum;
}

// "variables" reads x and y; the others read neither.
inline const std::array<Formula, 5>& Formulas() {
  static const std::array<Formula, 5> formulas = {
      Formula{"arith", "2*3+4", "2*3+4"},
      Formula{"brackets", "(1+2)*(3+4)/(5-6)+7^2", "(1+2)*(3+4)/(5-6)+7^2"},
      Formula{"functions", "sin(1)+cos(2)*sqrt(16)-abs(-3)", "sin(1)+cos(2)*sqrt(16)-abs(-3)"},
      Formula{"variables", "x*x+y*y-2*x*y+3.25*x/y", "x*x+y*y-2*x*y+3.25*x/y"},
      Formula{"sum200", LongSum(), LongSum()},
  };
  return formulas;
}

using Side = void (*)(benchmark::State&, const Formula&);

struct NamedSide {
  const char* name;
  Side run;
};

// Registers "<side>/<name>" for each of our sides and "peer/<name>" for every formula, runs
// them and closes with the table of each side's speed over the peer's.
int RunBesidePeer(int argc, char** argv, std::initializer_list<NamedSide> ours, Side peer);
inline int RunBesidePeer(int argc, char** argv, Side engine, Side peer) {
  return RunBesidePeer(argc, argv, {{"engine", engine}}, peer);
}

}  // namespace bench
