// SPDX-License-Identifier: MIT
// The differentiator's trace: one numbered, indented line per entry, exit and error.
#include "diff/diff_state.h"
#include "diff/walk_depth.h"

#include <algorithm>

#include "engine_core/core.h"
#include "engine_core/number_text.h"

namespace diff {

void ResetDiffTree(DiffState& s) {
  s.Index = 0;
  s.rootExpr = 0;
  s.rootDiff = 0;
  s.formula = u"0";
  s.varName = u"t";
}

void TooLong(Diff& d) {
  if (d.s.tooLong) return;
  d.s.tooLong = true;
  DiffError(d, u"Too long formula");
  d.core.state.e_error = kTooLong;
}

void DiffError(Diff& d, std::u16string_view message) {
  d.s.diffErr = 1;
  DiffTrace(d, u"Error", u"ERR, " + std::u16string(message));
}

void DiffTrace(Diff& d, std::u16string_view title, std::u16string_view text) {
  DiffState& s = d.s;
  if (s.traceMode == 0) return;
  ++s.traceLine;
  if (text.starts_with(u"IN_")) {
    s.callPath += u"/" + std::u16string(title);
    s.indent += u' ';
  }
  const auto depth = std::count(s.callPath.begin(), s.callPath.end(), u'/');
  std::u16string line = engine::IntegerText(s.traceLine) + u": (" +
                        engine::IntegerText(depth) + u") " + s.indent +
                        std::u16string(title) + u", " + std::u16string(text);
  if (text.starts_with(u"OUT")) {
    if (!s.indent.empty()) s.indent.pop_back();
    std::size_t slash = s.callPath.rfind(u'/');
    if (slash != std::u16string::npos) s.callPath.erase(slash);
  }
  if (s.traceMode == 1) {
    d.core.platform.AppendLine(s.traceFile.empty() ? u"Derive.Log" : s.traceFile, line);
  } else if (s.traceMode == 2) {
    d.core.platform.ShowMessage(line, title, platform::Buttons::Ok);
  }
}

}  // namespace diff
