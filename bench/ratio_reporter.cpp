// SPDX-License-Identifier: MIT
#include "ratio_reporter.h"

#include <cstdio>

#include "bench_formulas.h"

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    std::string name = run.benchmark_name();
    std::size_t slash = name.find('/');
    if (slash == std::string::npos) continue;
    double ns = run.GetAdjustedRealTime();  // per iteration, in the run's time unit (ns)
    // With --benchmark_repetitions the fastest repetition stands for the case: on a shared
    // machine the slower ones mostly measure the neighbours.
    auto [kept, fresh] = nsPerCall_[name.substr(slash + 1)].try_emplace(name.substr(0, slash), ns);
    if (!fresh && ns < kept->second) kept->second = ns;
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\n| formula | side | ns/call | peer ns/call | speed / peer speed |\n");
  std::printf("|---|---|---:|---:|---:|\n");
  for (const auto& [name, sides] : nsPerCall_) {
    auto peer = sides.find("peer");
    if (peer == sides.end()) continue;
    for (const auto& [side, ns] : sides) {
      if (side == "peer") continue;
      // Prepared formulas take a few ns a call: whole ns and tenths of a ratio would hide them.
      const auto digits = [](double value) { return value < 100 ? 1 : 0; };
      const double ratio = peer->second / ns;
      std::printf("| %s | %s | %.*f | %.*f | %.*fx |\n", name.c_str(), side.c_str(), digits(ns), ns,
                  digits(peer->second), peer->second, ratio < 1 ? 2 : 1, ratio);
    }
  }
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
