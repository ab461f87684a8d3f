// SPDX-License-Identifier: MIT
// Built-in functions and the "#" constants, in single precision for classic numbers and in
// double precision for double numbers.
#pragma once

#include <optional>
#include <cstddef>
#include <string_view>

#include "engine_core/formula_settings.h"

namespace engine {

struct Core;

// Evaluates the built-in `name` (any case) at x. Unknown names set e_error 4, domain failures
// 13; the value is still returned. An error already standing is kept and nothing is computed.
double e_function(Core& core, std::u16string_view name, double x);

// Index of a lower-cased built-in function or "#" constant name in the precision of the
// settings' numbers, -1 when the spelling has no such name. The tokenizer resolves a name
// once; the parser then calls by index.
int BuiltinIndex(std::u16string_view lowerName, const FormulaSettings& settings);

// How many arguments the built-in at index takes: 1, or 2 for pow, atan2 and hypot.
int BuiltinArguments(int index);

// e_function for a name already resolved by BuiltinIndex (-1 reports an unknown name).
double CallBuiltin(Core& core, int index, double x);
// The same for a built-in of two arguments, which has no domain to check.
double CallBuiltin2(Core& core, int index, double a, double b);

// The built-in at index (not rnd, whose values come from the state) evaluated at x without
// reporting anything: nothing where CallBuiltin would report a domain failure.
std::optional<double> BuiltinValue(int index, double x);
double BuiltinValue2(int index, double a, double b);
bool IsRandomBuiltin(int index);
// BuiltinValue at values[0..n), in place; failed[i] is set where it gives nothing. The function
// is resolved once for the built-in at index, so that no value chooses it again.
using BuiltinLanes = void (*)(double* values, char* failed, std::size_t n);
BuiltinLanes BuiltinLanesOf(int index);
// The same built-in for code that calls it at one value: its value, or a NaN where the lanes
// mark a failure. (A NaN it computes is a NaN too: such a caller asks the lanes again.)
using BuiltinScalar = double (*)(double x);
// Which of these a processor computes in one instruction, to the same bits: in double numbers,
// abs always and sqrt with a NaN for a negative argument, as the scalar gives.
enum class BuiltinInstruction { None, Abs, Sqrt };
struct BuiltinForCode {
  BuiltinScalar scalar;
  BuiltinInstruction instruction;
};
BuiltinForCode BuiltinForCodeOf(BuiltinLanes lanes);

// Reports an unknown function name the way e_function does (code 4, when no error stands).
void ReportUndefinedFunction(Core& core);

}  // namespace engine
