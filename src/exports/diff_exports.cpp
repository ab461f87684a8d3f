// SPDX-License-Identifier: MIT
// Exports of the differentiator.
#include "diff/differentiate.h"
#include "exports/abi.h"
#include "morvane.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {
diff::Diff Differentiator() { return diff::Diff{session().engine.core, session().diff}; }
}  // namespace

int32_t MORVANE_CALL e_diff(const char16_t* formula, const char16_t* variable, char16_t* buffer,
                            int32_t /*size*/) {
  return guarded(0, [&] {
    diff::Diff d = Differentiator();
    std::u16string result;
    const int32_t length = diff::e_diff(d, In(formula), In(variable), result);
    if (!result.empty() || length != 0) exports::copy_out(result, buffer);
    return length;
  });
}

int32_t MORVANE_CALL GetLast_diffErr() {
  return guarded(0, [] { return static_cast<int32_t>(session().diff.diffErr); });
}

int32_t MORVANE_CALL SetDiffLogF(uint8_t mode, const char16_t* file) {
  return guarded(0, [&] {
    session().diff.traceMode = mode;
    session().diff.traceFile = In(file);
    return static_cast<int32_t>(mode);
  });
}

int32_t MORVANE_CALL GetDiff_OperAndFuncs(char16_t* buffer) {
  return guarded(0, [&] {
    const std::u16string text = diff::GetDiff_OperAndFuncs();
    exports::copy_out(text, buffer);
    return static_cast<int32_t>(text.size()) + 1;
  });
}
