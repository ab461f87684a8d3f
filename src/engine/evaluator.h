// SPDX-License-Identifier: MIT
// The evaluation entry points and the two pre-passes over user functions.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine_core/formula_settings.h"

namespace engine {

struct Engine;

// Result type codes.
inline constexpr std::int8_t kNumber = 0;
inline constexpr std::int8_t kMatrix = 1;

// Evaluates expr. Returns the error code when one stands afterwards, else the result type,
// with the value written to result.
std::int32_t e_eval(Engine& engine, std::u16string_view expr, double* result, bool checkFuncs);

// The same evaluation returning the value itself, or the error code as a double.
double de_eval(Engine& engine, std::u16string_view expr, bool checkFuncs);

// Tabulates expr over var from x0 to x1 in n steps into xs and ys (n + 1 values each) and the
// extremes into stats[1..4]. Returns -1 when the last point evaluated, else its error code.
std::int32_t e_evals(Engine& engine, std::u16string_view expr, double x0,
                     std::u16string_view var, double x1, std::int32_t n, std::span<double> xs,
                     std::span<double> ys, std::span<double, 5> stats);

// Prepares the text the tokenizer will read into the state's expression: in the classic
// spelling decimal commas become points, and user functions are expanded. False with e_error set when the expansion is refused.
bool Prepare(Engine& engine, std::u16string_view expr);

// Code 1 when a user function's name occurs in the other definitions; else e_error.
std::int32_t CheckFunctions(Engine& engine);

// Expands user functions: each whole identifier naming one, in any case and outside bracketed
// matrix names, becomes "(" + body + ")". Definitions apply in order. Where given, origins
// receives where each character of the result stands in text (see SubstitutionTemplate).
std::u16string ReplaceFunctions(Engine& engine, std::u16string_view text,
                                std::vector<std::size_t>* origins = nullptr);

// Where a place in the text Prepare made of given stands in given: a place inside an expanded
// function is where the function's name stands.
std::size_t PlaceInGiven(Engine& engine, std::u16string_view given, std::size_t prepared);

// Clears variables, functions and matrices, the result type, the message flag and the log.
void ReSetEqParser(Engine& engine);

// Accepts 1 or -1; any other value is refused (with a message when asked for).
void SetBoolSign(Engine& engine, std::int32_t sign);

// Gives the engine's formulas their numbers and spelling. A true comparison is 1 in the
// programmer spelling, and -1 again when the classic spelling is chosen.
void SetFormulaSettings(Engine& engine, FormulaSettings settings);

}  // namespace engine
