// SPDX-License-Identifier: MIT
// Built-in functions of one argument and the "#" constants, computed in single precision.
#pragma once

#include <string_view>

namespace engine {

struct Core;

// Evaluates the built-in `name` (any case) at x. Unknown names set e_error 4, domain failures
// 13; the value is still returned. An error already standing is kept and nothing is computed.
double e_function(Core& core, std::u16string_view name, double x);

// Whether a lower-cased name is a built-in function or a "#" constant of e_function.
bool IsBuiltin(std::u16string_view lowerName);

// Reports an unknown function name the way e_function does (code 4, when no error stands).
void ReportUndefinedFunction(Core& core);

}  // namespace engine
