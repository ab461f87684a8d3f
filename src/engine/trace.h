// SPDX-License-Identifier: MIT
// Debug trace lines of the tokenizer and the parser; written only while debug output is on.
#pragma once

namespace engine {

struct Core;

void TraceTokenizer(Core& core, bool entry);
void TraceParser(Core& core, bool entry, double value);

}  // namespace engine
