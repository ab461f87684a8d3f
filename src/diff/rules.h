// SPDX-License-Identifier: MIT
// Derivative rules and the two ways of writing a tree back as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "diff/diff_state.h"

namespace diff {

// Text of the derivative of subtree n with respect to s.varName, by one rule per node kind;
// to be parsed again and simplified. Node 0 gives "0".
std::u16string Df(Diff& d, std::int32_t n);

// Subtree n as fully bracketed text. Node 0 gives "".
std::u16string Df_GetFormula(Diff& d, std::int32_t n);

// Subtree n with as few brackets as precedence allows: the result text. Node 0 gives "".
std::u16string Diff_GetFormula(Diff& d, std::int32_t n);

// A number text written again with ten decimals, leading zeros (but the one before the point)
// and trailing zeros removed: "2.5000" -> "2.5", "0.50" -> "0.5", "3" -> "3".
std::u16string TrimNumberText(std::u16string_view text);

// The folded value v as number text: TrimNumberText of its ten-decimal form, or, for a value
// below 1e-3, as many decimals as keep ten significant digits; in double numbers the shortest
// digits that read back to v.
std::u16string NumberText(const Diff& d, double v);

}  // namespace diff
