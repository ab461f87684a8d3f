// SPDX-License-Identifier: MIT
// Console output plus a closing table: for each case, our calls per second over the peer's.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>

namespace bench {

// Benchmarks named "<side>/<case>" with side "engine" or "peer" are paired by case; of several
// repetitions, each side's fastest is kept.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;
  // The geometric mean of our speed over the peer's, and over how many cases, for the cases whose
  // names start with prefix (the side "engine").
  std::pair<double, std::size_t> GeometricMeanSpeed(const std::string& prefix) const;

 private:
  struct PerCall {
    double time;  // in unit
    benchmark::TimeUnit unit;
  };
  std::map<std::string, std::map<std::string, PerCall>> perCall_;  // case -> side -> time
};

}  // namespace bench
