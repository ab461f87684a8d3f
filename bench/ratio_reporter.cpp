// SPDX-License-Identifier: MIT
#include "ratio_reporter.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "bench_formulas.h"

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    std::string name = run.benchmark_name();
    std::size_t slash = name.find('/');
    if (slash == std::string::npos) continue;
    const PerCall time{run.GetAdjustedRealTime(), run.time_unit};  // per iteration
    // With --benchmark_repetitions the fastest repetition stands for the case: on a shared
    // machine the slower ones mostly measure the neighbours.
    auto [kept, fresh] = perCall_[name.substr(slash + 1)].try_emplace(name.substr(0, slash), time);
    if (!fresh && time.time < kept->second.time) kept->second = time;
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\n| formula | side | per call | peer per call | speed / peer speed |\n");
  std::printf("|---|---|---:|---:|---:|\n");
  // Prepared formulas take a few ns a call: whole units and tenths of a ratio would hide them.
  const auto cell = [](const PerCall& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f %s", time.time < 100 ? 1 : 0, time.time,
                  benchmark::GetTimeUnitString(time.unit));
    return std::string(text);
  };
  for (const auto& [name, sides] : perCall_) {
    auto peer = sides.find("peer");
    if (peer == sides.end()) continue;
    for (const auto& [side, time] : sides) {
      if (side == "peer" || time.unit != peer->second.unit) continue;
      const double ratio = peer->second.time / time.time;
      std::printf("| %s | %s | %s | %s | %.*fx |\n", name.c_str(), side.c_str(), cell(time).c_str(),
                  cell(peer->second).c_str(), ratio < 1 ? 2 : 1, ratio);
    }
  }
}

std::pair<double, std::size_t> RatioReporter::GeometricMeanSpeed(const std::string& prefix) const {
  double logs = 0;
  std::size_t cases = 0;
  for (const auto& [name, sides] : perCall_) {
    const auto ours = sides.find("engine");
    const auto peer = sides.find("peer");
    if (name.rfind(prefix, 0) != 0 || ours == sides.end() || peer == sides.end()) continue;
    logs += std::log(peer->second.time / ours->second.time);
    ++cases;
  }
  return {cases == 0 ? 0.0 : std::exp(logs / static_cast<double>(cases)), cases};
}

int RunBesidePeer(int argc, char** argv, std::initializer_list<NamedSide> ours, Side peer) {
  for (const Formula& formula : Formulas()) {
    for (const NamedSide& side : ours)
      benchmark::RegisterBenchmark((std::string(side.name) + "/" + formula.name).c_str(), side.run, formula);
    benchmark::RegisterBenchmark((std::string("peer/") + formula.name).c_str(), peer, formula);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
