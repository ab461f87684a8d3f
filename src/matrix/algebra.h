// SPDX-License-Identifier: MIT
// The matrix algebra family. Every function copies its matrix inputs into row-major work arrays
// through the element order and writes matrix results back the same way; vectors are plain
// blocks. Results are -1 (success) or a matrix error code; nothing is written on failure.
#pragma once

#include <cstdint>

#include "matrix/element_order.h"
#include "matrix/matrix_codes.h"

namespace matrix {

// Pivots and determinants at or below this magnitude count as zero.
inline constexpr double kSingularity = 1.0000000000000002e-12;

// Orders above this use LU factorisation for inverses and systems; up to it the adjugate and
// Cramer's rule, whose results small matrices have always had.
inline constexpr std::int32_t kDirectMethodMaxOrder = 8;

std::int32_t aDet(const ElementOrder& o, const double* a, std::int32_t n, double* det);
double aDetN(const ElementOrder& o, const double* a, std::int32_t n);
std::int32_t aInv(const ElementOrder& o, double* a, std::int32_t n);
std::int32_t aSist(const ElementOrder& o, const double* a, std::int32_t n, const double* b, double* x);
std::int32_t aDiag(const ElementOrder& o, double* a, std::int32_t n);
std::int32_t aMatrIsSing(const ElementOrder& o, const double* a, std::int32_t n);

std::int32_t aMultEx(const ElementOrder& o, const double* a, std::int32_t r1, std::int32_t c1,
                     const double* b, std::int32_t r2, std::int32_t c2, double* result);
std::int32_t aMultSq(const ElementOrder& o, const double* a, const double* b, std::int32_t n, double* result);
std::int32_t aMultVect(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                       const double* v, double* result);
std::int32_t aMultVectSq(const ElementOrder& o, const double* a, const double* v, std::int32_t n, double* result);
std::int32_t aPow(const ElementOrder& o, const double* a, std::int32_t n, std::int32_t exponent, double* result);
std::int32_t aDiv(const ElementOrder& o, const double* a, const double* b, std::int32_t n, double* result);

std::int32_t aSum(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                  const double* b, double* result);
std::int32_t aDiff(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                   const double* b, double* result);
std::int32_t aSumMem(const double* a, std::int32_t rows, std::int32_t cols, const double* b, double* result);
std::int32_t aDiffMem(const double* a, std::int32_t rows, std::int32_t cols, const double* b, double* result);
std::int32_t aSumScal(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols, double scalar);
std::int32_t aProdScal(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols, double scalar);
std::int32_t aOpp(double* a, std::int32_t rows, std::int32_t cols);

std::int32_t aTrasp(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols);
std::int32_t aTraspEx(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols, double* result);
std::int32_t aTraspSq(const ElementOrder& o, double* a, std::int32_t n);

std::int32_t aTrace(const ElementOrder& o, const double* a, std::int32_t n, double* trace);
double aTraceN(const ElementOrder& o, const double* a, std::int32_t n);
std::int32_t aVectMod(const double* v, std::int32_t n, double* norm);
std::int32_t aMatrIsZero(const ElementOrder& o, const double* a, std::int32_t n);
std::int32_t aMatrIsUnit(const ElementOrder& o, const double* a, std::int32_t n);
std::int32_t aMatrIsOrtog(const ElementOrder& o, const double* a, std::int32_t n);
std::int32_t aMatrAreOrtog(const ElementOrder& o, const double* a, const double* b, std::int32_t n);
std::int32_t aMatrAreEquals(const ElementOrder& o, const double* a, const double* b, std::int32_t rows,
                            std::int32_t cols, double tolerance);

std::int32_t aSwap(double* a, std::int32_t rows, std::int32_t cols, double* b);
std::int32_t aSwapRC(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols,
                     std::int32_t selector, std::int32_t index1, std::int32_t index2);

std::int32_t aCalcCoeffPolin(ElementOrder& o, const double* points, std::int32_t n, std::int32_t m, double* coeffs);
std::int32_t aCalcVectCoeff(ElementOrder& o, const double* design, std::int32_t n, std::int32_t m,
                            const double* y, double* coeffs);
std::int32_t aGetYPolin(const double* x, const double* coeffs, std::int32_t m, double* y);
std::int32_t aGetXsOfQuadr(const double* y, const double* coeffs, std::int32_t m, double* x1, double* x2);

}  // namespace matrix
