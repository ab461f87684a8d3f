// SPDX-License-Identifier: MIT
// Exports of the batch runner.
#include "exports/abi.h"
#include "morvane.h"
#include "morvane_version.h"
#include "script/batch.h"

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
    return script::LoadSaveFile(context, mode);
  });
}

const char16_t* MORVANE_CALL DisplayVerInfo() {
  return guarded<const char16_t*>(u"", [] { return exports::hold(session().texts.version, morvane::kVersionText); });
}
