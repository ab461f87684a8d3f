// SPDX-License-Identifier: MIT
// One symbolic differentiation from formula text to result text, and the help text of the
// operators and functions the library knows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "diff/diff_state.h"

namespace diff {

// Differentiates formula in variable. On success the derivative goes to result and its length
// is returned with the shared error code -1; on failure 0 with the code 6, 7 or 8 (after a
// division by a constant zero the text is still in result).
std::int32_t e_diff(Diff& d, std::u16string_view formula, std::u16string_view variable,
                    std::u16string& result);

// The help text of constants, operators and functions.
std::u16string GetDiff_OperAndFuncs();

}  // namespace diff
