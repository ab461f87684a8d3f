// SPDX-License-Identifier: MIT
// Evaluations per second on one thread against two. Sessions of their own share nothing, so two
// threads on two cores should do about twice the work of one; calls through the exports take
// turns on the process-wide session, so there a second thread can add nothing.
#include <benchmark/benchmark.h>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "exports/session.h"
#include "morvane.h"

namespace {

constexpr char16_t kFormula[] = u"x*x+y*y-2*x*y+3.25*x/y";

// Each thread makes its session before the timed loop, as a caller with a session per thread
// would.
void OwnSessions(benchmark::State& state) {
  exports::Session session;
  engine::Engine& e = session.engine;
  engine::SetVarFunct(e.core, e.vars, u"x", u"1.5", false);
  engine::SetVarFunct(e.core, e.vars, u"y", u"2", false);
  double value = 0;
  for (auto _ : state) {
    engine::e_eval(e, kFormula, &value, false);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
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
    e_eval(kFormula, &value, 0);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(OwnSessions)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(SharedSession)->Threads(1)->Threads(2)->UseRealTime();

BENCHMARK_MAIN();
