// SPDX-License-Identifier: MIT
// Exports of the batch runner, and the attach procedures of hosts without the plug-in interface.
#include "exports/abi.h"
#include "morvane.h"
#include "morvane_version.h"
#include "script/batch.h"
#include "engine/engine.h"
#include "matrix/element_order.h"
#include "matrix/matrix_store.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {
script::BatchContext Batch() { return BatchOf(session()); }
}  // namespace

int32_t MORVANE_CALL ulvEvalMain(const char16_t* commandLine) {
  return guarded(0, [&] {
    script::BatchContext context = Batch();
    return script::ulvEvalMain(context, In(commandLine));
  });
}

int32_t MORVANE_CALL LoadSaveFile(int32_t mode) {
  return guarded(-7, [&] {
    script::BatchContext context = Batch();
    const std::optional<script::FileMode> known = script::FileModeOf(mode);
    return known ? script::LoadSaveFile(context, *known) : script::kFileUnknownMode;
  });
}

const char16_t* MORVANE_CALL DisplayVerInfo() {
  return guarded<const char16_t*>(u"", [] { return exports::hold(session().texts.version, morvane::kVersionText); });
}

namespace {

int32_t ResetStateFlags() {
  engine::EvalState& state = session().engine.core.state;
  state.Clear();
  state.resultType = -1;
  state.evaluating = 0;
  session().engine.core.cursor.nxtDepth = 0;
  state.prsDepth = 0;
  session().engine.matrices.elementOrder = matrix::ElementOrder{};
  return 1;
}

}  // namespace

int32_t MORVANE_CALL ulvAttachProcess() { return guarded(0, ResetStateFlags); }
int32_t MORVANE_CALL ulvDetachProcess() { return guarded(0, ResetStateFlags); }

int32_t MORVANE_CALL ulvAttachThread() {
  return guarded(0, [] {
    session().engine.matrices.elementOrder.suppressed = -1;
    return 1;
  });
}

int32_t MORVANE_CALL ulvDetachThread() {
  return guarded(0, [] {
    session().engine.matrices.elementOrder.suppressed = 0;
    return 1;
  });
}
