// SPDX-License-Identifier: MIT
// The statistics behind min, max, avg, sum, median and the other list functions.
#pragma once

#include <span>

#include "engine_core/token_cursor.h"

namespace engine {

// Value of list function `name` over the arguments in order (at least one).
double ListFunctionValue(Tok name, std::span<const double> values);

}  // namespace engine
