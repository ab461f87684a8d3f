// SPDX-License-Identifier: MIT
// Roots of f(x) = 0 for a formula in one variable: a coarse search for a start, then a fixed
// number of Newton steps. Each evaluation sets the variable in the store first, so it keeps
// the last value tried.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {
struct Engine;
}
namespace diff {
struct Diff;
}

namespace numeric {

// The start: from 0, at most 200 rounds moving right while |f| falls, stopping where |f| <= 3;
// a start of exactly 0 becomes 1.
double dPolySolve(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable);

// dPolySolve into result; e_error 5 without a result. Returns e_error.
std::int32_t NewtSolve(engine::Engine& engine, std::u16string_view formula,
                       std::u16string_view variable, double* result);

// 20 Newton steps from dPolySolve's start with the polynomial derivative (x - y when the
// derivative is 0); each step is traced to the debug log.
double dSolve(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable);

// The same with the symbolic derivative. Returns -1 without writing when it cannot be formed,
// else writes the root and returns e_error.
std::int32_t SolveD(engine::Engine& engine, diff::Diff& d, std::u16string_view formula,
                    std::u16string_view variable, double* result);

// Whether formula has a root at x or within a hair of it: it is 0 there (to the evaluator's
// 10 decimals), or it changes sign across x.
bool RootNear(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable, double x);

// dPolySolve over text values, comparing integer parts, with at most maxRounds rounds.
std::u16string sPolyNewt(engine::Engine& engine, std::u16string_view formula,
                         std::u16string_view variable, std::int32_t maxRounds);

// sPolyNewt's start, then `steps` Newton steps (at least 1) over text values.
std::u16string sSolve(engine::Engine& engine, std::u16string_view formula,
                      std::u16string_view variable, std::int32_t steps);

// Derivative text in the evaluator's spelling: sh, ch, tg and the other spellings only the
// differentiator reads become sinh, cosh, tan, ...
std::u16string EvaluatorSpelling(std::u16string_view text);

}  // namespace numeric
