// SPDX-License-Identifier: MIT
// The arithmetic the parser hands over for "^", "*", "/", "+", "-" and the matrix functions.
// Operands are a value and a type (0 number, 1 matrix reference).
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {
struct Core;
}

namespace matrix {

// "*", "/" or "^"; any other operator leaves a and typeA unchanged.
double CalcMatrixDivMult(engine::Core& core, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB);

// "+" or "-".
double CalcMatrixSumSubt(engine::Core& core, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB);

// "det", "trace", "syst" or "vcoeff"; the result type goes to typeA.
double CalcMatrFunct(engine::Core& core, std::u16string_view name, double a, double b, double c,
                     std::int8_t& typeA, std::int8_t typeB, std::int8_t typeC);

}  // namespace matrix
