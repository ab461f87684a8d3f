// SPDX-License-Identifier: MIT
// One bottom-up pass over a derivative tree: neutral operands removed, constants folded.
#pragma once

#include <cstdint>

#include "diff/diff_state.h"

namespace diff {

// Returns the node standing for the simplified subtree n (n rewritten in place, or one of its
// children). A division by a constant zero is an error (code 8) and leaves n as it is.
std::int32_t Diff_Simplify(Diff& d, std::int32_t n);

}  // namespace diff
