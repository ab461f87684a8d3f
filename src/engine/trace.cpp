// SPDX-License-Identifier: MIT
#include "engine/trace.h"

#include <string>

#include "engine_core/core.h"
#include "engine_core/error_table.h"
#include "engine_core/number_text.h"

namespace engine {
namespace {

void Line(Core& core, const std::u16string& text) { DebugAdd(core, text, u"", false); }


}  // namespace

void TraceTokenizer(Core& core, bool entry) {
  EvalState& s = core.state;
  TokenCursor& cursor = core.cursor;
  if (entry) {
    ++cursor.nxtDepth;
    Line(core, u"--------------------||| e_nxt(" + IntegerText(cursor.nxtDepth) + u") ENTRY |||---------------");
    Line(core, u"Run Count   = " + IntegerText(s.runCount));
    return;
  }
  Line(core, PositionLine(cursor.position()));
  Line(core, u"expression  = " + cursor.expression);
  Line(core, u"element     = " + ElementText(cursor));
  Line(core, u"type/token  = " + TokText(cursor));
  Line(core, u"remaining   = " + std::u16string(cursor.remaining));
  Line(core, u"e_error     = " + IntegerText(s.e_error) + u" | " + std::u16string(EvalErrorText(s.e_error)));
  Line(core, u"--------------------||| e_nxt(" + IntegerText(cursor.nxtDepth) + u") EXIT |||---------------");
  --cursor.nxtDepth;
}

void TraceParser(Core& core, bool entry, double value) {
  EvalState& s = core.state;
  if (entry) {
    Line(core, u"--------------------||| e_prs(" + IntegerText(s.prsDepth) + u") ENTER |||---------------");
    return;
  }
  Line(core, u"nn          = " + FormatFixed(value));
  Line(core, u"--------------------||| e_prs(" + IntegerText(s.prsDepth) + u") EXIT |||----------------");
}

}  // namespace engine
