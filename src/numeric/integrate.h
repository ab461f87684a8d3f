// SPDX-License-Identifier: MIT
// Definite integrals of a formula in one variable by the midpoint, trapezoidal and Simpson
// rules, and linear interpolation.
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {
struct Engine;
}

namespace numeric {

enum class Rule : std::int32_t { Midpoint = 0, Trapezoid = 1, Simpson = 2 };

// The integration's own codes, beside the evaluator's.
inline constexpr std::int32_t kUnknownRule = 19;
inline constexpr std::int32_t kOddSimpsonIntervals = 22;

// Integrates formula over variable from a to b in n subintervals. Writes the integral to result
// and returns what the last evaluation returned (0, or the code of the first sample that
// failed, where the sum stops); 13 for n < 1, bounds that are not finite or an empty variable
// name, 22 for Simpson's rule with an odd n.
std::int32_t Integrate(engine::Engine& engine, std::u16string_view formula, double a, double b,
                       std::int32_t n, Rule rule, std::u16string_view variable, double& result);

// y1 + (x - x1) / (x2 - x1) * (y2 - y1).
double InterpLin(double x, double x1, double x2, double y1, double y2);

}  // namespace numeric
