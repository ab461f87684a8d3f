// SPDX-License-Identifier: MIT
// The arithmetic the parser hands over for "^", "*", "/", "+", "-" when an operand is a matrix,
// and the matrix functions. Operands are a value and a type (0 number, 1 matrix, whose value is
// the address of an internal matrix of the store). Matrix results overwrite an operand's matrix, or replace its
// memory when the result is larger.
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {
struct Core;
}

namespace matrix {

struct MatrixStore;

// "*", "/" or "^"; any other operator leaves a and typeA unchanged.
double CalcMatrixDivMult(engine::Core& core, MatrixStore& store, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB);

// "+" or "-".
double CalcMatrixSumSubt(engine::Core& core, MatrixStore& store, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB);

// "det", "trace", "syst" or "vcoeff"; the result type goes to typeA.
double CalcMatrFunct(engine::Core& core, MatrixStore& store, std::u16string_view name, double a,
                     double b, double c, std::int8_t& typeA, std::int8_t typeB, std::int8_t typeC);

// The parser's matrix operand: an internal copy of the stored matrix `name`, with the suffix
// 'I' (inverse), 'T' (transpose) or 'D' (pivot diagonal) applied. Returns its address as a
// number; on failure e_error is set.
double MatrixOperand(engine::Core& core, MatrixStore& store, std::u16string_view name, char16_t suffix);

// The address inside a matrix operand's value.
double* OperandAddress(double value);
double AddressValue(const double* addr);

}  // namespace matrix
