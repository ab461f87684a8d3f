// SPDX-License-Identifier: MIT
// A generated script run end to end through the batch entry with output to a file, beside the
// same work through bc -l in the same run; items/s are script lines per second. The 100,000
// and 200,000 line runs show whether the time grows linearly.
#include <benchmark/benchmark.h>


#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "morvane.h"

namespace {

// Var = vK ; K, Expr = vK*2+sin(vK), StoExpr(wK) = vK^2, for K = 1, 2, ... up to `lines` lines.
std::string Script(int lines) {
  std::string text;
  text.reserve(static_cast<std::size_t>(lines) * 24);
  for (int k = 1, line = 0; line < lines; ++k) {
    const std::string v = "v" + std::to_string(k);
    text += "Var = " + v + " ; " + std::to_string(k) + "\r\n";
    if (++line < lines) text += "Expr = " + v + "*2+sin(" + v + ")\r\n";
    if (++line < lines) text += "StoExpr(w" + std::to_string(k) + ") = " + v + "^2\r\n";
    ++line;
  }
  return text;
}

// The same work in bc's language: an assignment, an expression printed, an assignment. bc
// holds at most 32767 names and 65535 array elements, so the names are array elements
// v[K], w[K] with K wrapping at 60000.
std::string BcScript(int lines) {
  std::string text;
  for (int k = 1, line = 0; line < lines; ++k) {
    const std::string i = std::to_string(k % 60000);
    text += "v[" + i + "] = " + std::to_string(k) + "\n";
    if (++line < lines) text += "v[" + i + "]*2+s(v[" + i + "])\n";
    if (++line < lines) text += "w[" + i + "] = v[" + i + "]^2\n";
    ++line;
  }
  return text;
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The peak resident memory of one run of the program on the script, in megabytes, as
// /usr/bin/time measures it: a process of its own, so that neither this benchmark's texts nor
// the allocator's leftovers from earlier iterations count. Negative when it could not be run.
double PeakOfOneRunMB(const std::string& script, const std::string& output) {
  const std::string report = output + ".peak";
  const std::string command = "/usr/bin/time -f %M -o " + report + " " ULVXNPP_PATH " --no-header -o " + output +
                              " " + script;
  if (std::system(command.c_str()) != 0) return -1.0;
  double kilobytes = -1024.0;
  std::ifstream(report) >> kilobytes;
  return kilobytes / 1024.0;
}

void Engine(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string path = "/tmp/ulv_bench_" + std::to_string(lines) + ".ulv";
  WriteFile(path, Script(lines));
  const std::string commandLine = "/rset /i \"" + path + "\" /o \"/tmp/ulv_bench_out.ulv\" /noh";
  const std::u16string wide(commandLine.begin(), commandLine.end());
  for (auto _ : state) benchmark::DoNotOptimize(ulvEvalMain(wide.c_str()));
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["output_MB"] = static_cast<double>(std::filesystem::file_size("/tmp/ulv_bench_out.ulv")) / 1048576.0;
  state.counters["peak_MB"] = PeakOfOneRunMB(path, "/tmp/ulv_bench_out.ulv");
}

void Bc(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string path = "/tmp/bc_bench_" + std::to_string(lines) + ".bc";
  WriteFile(path, BcScript(lines));
  const std::string command = "bc -l < " + path + " > /dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("bc -l failed");
  state.SetItemsProcessed(state.iterations() * lines);
}

}  // namespace

BENCHMARK(Engine)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Bc)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
