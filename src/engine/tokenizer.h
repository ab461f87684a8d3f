// SPDX-License-Identifier: MIT
// The tokenizer: reads the next token of the evaluator state's remaining text and resolves
// parameters, variables and named constants to numbers on the way. A malformed literal (a
// second decimal point, a prefix without digits) is an error at its offending character.
#pragma once

#include <string_view>

namespace engine {

struct Core;
struct Engine;

// Reads the next token into e_tok / element / matrSuffix.
void e_nxt(Engine& engine);

// Whether name (any case) is one of the fixed words (operator words, list and matrix
// functions), which the tokenizer reads as such before looking for a variable of that name.
bool IsFormulaWord(std::u16string_view name);

// Resolves a named constant ("pi", "#pi", "e", "deg", "rad", ...). A known name leaves its
// 10-decimal text as the current element, writes the value read back from that text (in double
// numbers the nearest double) to value (when given), sets e_error -1 and returns 1; otherwise
// e_error 18 and 0.
int e_get_const(Core& core, std::u16string_view name, double* value);

}  // namespace engine
