// SPDX-License-Identifier: MIT
// The derivative of a polynomial written as a sum of monomials (3x^2-4x+7), term by term on
// the text, without parsing it: what the Newton solvers differentiate with.
#pragma once

#include <string>
#include <string_view>

namespace numeric {

// "3x^2-4x+7" in x gives "6*x - 4": coefficients and exponents are read as integers, and
// constant terms vanish; a polynomial without the variable gives "0".
std::u16string Poly_dydx(std::u16string_view formula, std::u16string_view variable);

}  // namespace numeric
