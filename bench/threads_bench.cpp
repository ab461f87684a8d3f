// SPDX-License-Identifier: MIT
// Evaluations per second on one thread against two. Contexts of their own share nothing, so two
// threads on two cores should do about twice the work of one; calls through the UTF-16 exports
// take turns on the process-wide session, so there a second thread can add nothing.
#include <benchmark/benchmark.h>

#include "morvane.h"
#include "morvane/api.h"

namespace {

// The same formula for each interface.
constexpr char kFormula[] = "x*x+y*y-2*x*y+3.25*x/y";
constexpr char16_t kFormula16[] = u"x*x+y*y-2*x*y+3.25*x/y";

// Each thread makes its context before the timed loop, as a caller with a context per thread
// would.
void OwnContexts(benchmark::State& state) {
  morvane_context* context = morvane_context_new();
  morvane_set_variable(context, "x", 1.5, nullptr);
  morvane_set_variable(context, "y", 2, nullptr);
  double value = 0;
  for (auto _ : state) {
    morvane_eval(context, kFormula, &value, nullptr);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
  morvane_context_free(context);
}

void SharedSession(benchmark::State& state) {
  // The other threads wait for this at the start of the timed loop.
  if (state.thread_index() == 0) {
    ReSetEqParser();
    SetVarFunct(u"x", u"1.5", 0);
    SetVarFunct(u"y", u"2", 0);
  }
  double value = 0;
  for (auto _ : state) {
    e_eval(kFormula16, &value, 0);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(OwnContexts)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(SharedSession)->Threads(1)->Threads(2)->UseRealTime();

BENCHMARK_MAIN();
